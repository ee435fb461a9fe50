#pragma once
// The outcome of a whole-site operation, one row per camera, and its table:
//
//   camera  result           bytes  seconds
//        1  ok               32000     11.8
//        9  no answer            0      0.5
#include <QList>
#include <QString>

namespace zel {

struct CameraOutcome {
    int camera = 0;
    bool ok = false;
    QString result; // "ok", "no answer", "NACK", "receive error", ...
    qint64 bytes = 0;
    qint64 milliseconds = 0;
};

class SiteSummary {
public:
    void add(const CameraOutcome& outcome) { m_rows.append(outcome); }
    const QList<CameraOutcome>& rows() const { return m_rows; }
    bool allOk() const;
    int failedCount() const;
    // Header, one line per camera and a closing count, each ending in a line feed, in the
    // language of `languageIndex` (0 English, 1 Japanese).
    QString table(int languageIndex = 0) const;

    // The result word for the message that ended a camera's transfer (0: none shown).
    static QString resultForMessage(int messageNumber, int languageIndex = 0);
    static QString okResult(int languageIndex = 0);
    // "camera 9: no answer, skipped"
    static QString skippedLine(int camera, const QString& result, int languageIndex = 0);

private:
    QList<CameraOutcome> m_rows;
};

} // namespace zel
