#pragma once
// Reading a .ttl file into a title document. The reader accepts more than the writer
// produces: empty lines and lines beginning with ":" are skipped anywhere, sections may stand
// in any order, a short section leaves its remaining titles empty, surplus lines are ignored
// and a missing section leaves its category empty.
#include <QString>
#include <QStringList>

namespace zel {

class LanguageTables;
class MessageSink;
class TitleDocument;

class TitleFileReader {
public:
    explicit TitleFileReader(QStringList lines);

    // Whether any line is neither empty nor a comment: a file without one holds no titles.
    static bool hasSignificantLine(const QStringList& lines);
    // Whether any line is one of the nine section headers ("[POSITION]"...): a file without
    // one (plain text, a settings file, a send-data file) is no title file, whatever numbers
    // its first lines hold.
    static bool hasSectionHeader(const QStringList& lines);

    // Next significant line as "key:rest" with blanks removed; false at the end.
    bool ReadSettingLine(QString& key, QString& rest);
    // Next significant line as a title line; the title is the text between the first two
    // double quotation marks without surrounding blanks. False at the end.
    bool ReadTitleLine(QString& key, QString& title);
    // Back to the first line.
    void rewind() { m_next = 0; }

    // Finds `header` from the top and stores at most lineLimit - 1 titles (one for a limit
    // of 1) into `category`, stopping at the end or at the next section header.
    void ReadTitleSection(const QString& header, int lineLimit, int category,
                          TitleDocument& document);

    // The REMOTE No. and CAMERA No. lines, then the nine sections. A wrong number asks
    // "Keep file reading ?": No stops here and the result is false; Yes puts "1".
    bool readDocument(TitleDocument& document, MessageSink& messages,
                      const LanguageTables& language);

private:
    bool nextSignificantLine(QString& line);
    // False when the user chose to stop reading.
    bool readNumberLine(QString& target, int fieldKind, MessageSink& messages,
                        const LanguageTables& language);

    QStringList m_lines;
    qsizetype m_next = 0;
};

} // namespace zel
