#pragma once
// The backup file of one transfer: 1000 blocks of 32 raw bytes, no header, no trailer, read
// or written strictly in order from the start.
//
// A download never writes the chosen file directly: blocks go to "<name>.partial" beside it,
// and only after the last block has been stored does commit() put the finished image in place
// of the chosen file. A download that ends early leaves the chosen file as it was and keeps the
// blocks received so far in "<name>.partial". Each block is handed to the system as it is
// written (no buffer in the process), so a killed or interrupted run keeps every block that
// arrived; the image is never gathered in memory.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <optional>

namespace zel {

// A whole backup image read at once (a comparison), or why the file is none.
struct BackupImageRead {
    QByteArray bytes;
    QString problem; // "31999 bytes; a backup holds 32000", "no such file", ...
    bool ok() const { return problem.isEmpty(); }
};

class BackupFile {
public:
    static constexpr int kBlockSize = 32;
    static constexpr int kBlockCount = 1000;
    static constexpr qint64 kImageSize = qint64{kBlockSize} * kBlockCount;

    BackupFile() = default;
    ~BackupFile();
    BackupFile(const BackupFile&) = delete;
    BackupFile& operator=(const BackupFile&) = delete;

    // The 32000 bytes of the file at `path`; the problem in the language `languageIndex`
    // (0 English, 1 Japanese) for a missing or unreadable file or one of another size.
    static BackupImageRead readImage(const QString& path, int languageIndex);

    // "<path>.partial": where a download gathers its blocks.
    static QString partialPath(const QString& path);

    // Starts a download into "<path>.partial" (emptied); `path` itself is not touched. Refused
    // when `path` or "<path>.partial" exists but is not a regular file.
    bool openForDownload(const QString& path, QString* why = nullptr);
    // Whether the last openForDownload found a "<path>.partial" of an earlier run and emptied it.
    bool replacedPartial() const { return m_replacedPartial; }
    // Whole blocks stored by the download under way or last ended.
    int blocksWritten() const { return m_blocksWritten; }
    // Opens `path` for reading; false when it is missing or unreadable.
    bool openForUpload(const QString& path, QString* why = nullptr);

    bool isOpen() const { return m_file.isOpen(); }
    bool isDownload() const { return m_download; }
    QString targetPath() const { return m_target; }

    bool seekStart();
    // The next 32 bytes; std::nullopt when fewer remain or the read fails.
    std::optional<QByteArray> readBlock();
    // Appends one block (exactly 32 bytes).
    bool writeBlock(const QByteArray& block);
    // Why the last write, open or commit failed: "<file>: <the system's reason>".
    QString lastError() const { return m_lastError; }

    // Download: flushes, closes and replaces the chosen file with the finished image. On
    // failure the chosen file is untouched and the blocks stay in "<path>.partial".
    bool commit(QString* why = nullptr);
    // Closes without committing (no error if already closed); a download's blocks stay in
    // "<path>.partial", which is removed when no block had arrived.
    void close();

private:
    void setWhy(QString* why, const QString& text);

    QFile m_file;
    QString m_target;
    bool m_download = false;
    bool m_replacedPartial = false;
    int m_blocksWritten = 0;
    QString m_lastError;
};

} // namespace zel
