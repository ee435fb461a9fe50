#pragma once
// The ".log" file of the communication log: one entry per line, unit, tab, data, CR LF, CP932.
#include <QString>
#include <QStringList>

namespace zel {

class CommLogStore;
class MessageSink;

class CommLogFile {
public:
    static constexpr int kMaxPathChars = 128; // longer names are refused (message 4)

    // Writes every entry of `store`. False (message 24) when the file cannot be written; an
    // existing file is then left as it was.
    static bool save(const QString& path, const CommLogStore& store, MessageSink& messages);

    // Replaces the store with the file's entries, with the reader's checks and messages.
    // False when nothing was loaded (name too long: message 4; unreadable: message 25).
    // Lines read before a stop stay loaded (true). `why` (when given) is told why an
    // unreadable file was refused, in English.
    static bool load(const QString& path, CommLogStore& store, MessageSink& messages,
                     QString* why = nullptr);
    // The reading of load() on the file's lines.
    static void loadLines(const QStringList& lines, CommLogStore& store, MessageSink& messages);
};

} // namespace zel
