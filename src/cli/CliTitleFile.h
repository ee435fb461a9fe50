#pragma once
// A .ttl file read for zelctl exactly as a title window's File > Open reads it.
#include <QString>

namespace zel {
class TitleDocument;
}

namespace zel::cli {

class CliContext;

// False (message shown) when the file could not be read, is no title file, or reading
// stopped at a wrong number.
bool ReadTitleFileForCli(CliContext& context, const QString& path, TitleDocument& document);

} // namespace zel::cli
