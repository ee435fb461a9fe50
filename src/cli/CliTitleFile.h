#pragma once
// Reads a ".ttl" file for a zelctl command as File > Open of a title window does.
#include <QString>

namespace zel {
class TitleDocument;
}

namespace zel::cli {

class CliContext;

// False when nothing or only part of the file was read (the reader showed why).
bool ReadTitleFileForCli(CliContext& context, const QString& path, TitleDocument& document);

} // namespace zel::cli
