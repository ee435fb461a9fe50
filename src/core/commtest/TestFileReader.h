#pragma once
// Loads a send-data file (.trf) into the test screen with every check of the file-field
// checker: five setting lines (REMOTE No., CAMERA No., continuous check, interval, free
// format), then up to 16 row lines "W|R <hex> [: comment]". Lines that are empty or start
// with ":" are skipped. An invalid field asks "Keep file reading ?": No stops the load (what
// was read so far stays), Yes uses the field's default and reads on.
#include <QString>
#include <QStringList>

namespace zel {

class LanguageTables;
class MessageSink;
class TestScreen;

class TestFileReader {
public:
    static constexpr int kMaxTitleLength = 128;      // file name without folder
    static constexpr qint64 kMaxFileBytes = 1 << 20; // far above any valid send-data file

    enum class Result {
        Loaded,  // read to the end (fields answered Yes to may have taken their default)
        Stopped, // a check stopped the load; the fields read so far stay
        NotRead, // file refused or unreadable; the screen is unchanged
    };

    TestFileReader(MessageSink& messages, const LanguageTables& language);

    // `mnuOpen` once a file is chosen.
    Result load(const QString& path, TestScreen& screen);
    // The lines of a file that passed the text checks and holds content: resets the screen
    // and reads settings and rows. Never NotRead.
    Result loadLines(const QStringList& lines, TestScreen& screen);

    // Whether any line holds a setting or a row (not empty, not a ":" label).
    static bool hasContent(const QStringList& lines);

private:
    struct LineParts {
        QString value;     // mode 1: the value before the colon; mode 0: the letter
        QString remainder; // after the colon, or after the letter
    };
    bool Read_TestLine(int mode, LineParts& parts);
    bool readSettings(TestScreen& screen);
    bool readRows(TestScreen& screen);
    bool readRow(TestScreen& screen, int rowNo, const LineParts& parts);
    bool refuse(const QString& text);

    MessageSink& m_messages;
    const LanguageTables& m_language;
    QStringList m_lines;
    qsizetype m_next = 0;
};

} // namespace zel
