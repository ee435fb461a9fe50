#pragma once
// Input files of zelctl commands: refused before reading when they cannot be a document.
#include <QString>

namespace zel {
class TitleDocument;
}

namespace zel::cli {

class CliContext;

// Larger inputs are no title, test or log file (a full log is about 1.5 MB).
inline constexpr qint64 kMaxInputFileBytes = 16 * 1024 * 1024;

// A missing or unreadable file, a FIFO, a device, a folder, an oversized file or one that is
// no CP932 text: message 25 ("File incorrect") and false. Nothing is read past the checks.
bool CheckInputFile(CliContext& context, const QString& path);

// Reads a ".ttl" file as File > Open of a title window does, after CheckInputFile. False when
// nothing or only part of the file was read (the reader showed why).
bool ReadTitleFileForCli(CliContext& context, const QString& path, TitleDocument& document);

} // namespace zel::cli
