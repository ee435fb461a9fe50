#include "TextFile.h"

#include "Cp932.h"
#include "FileBytes.h"
#include "TextLines.h"

namespace zel {

namespace {

bool isControlByte(unsigned char byte) {
    constexpr unsigned char kEndOfFileMark = 0x1A;
    return (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r' && byte != '\f' &&
            byte != kEndOfFileMark) ||
           byte == 0x7F;
}

// Valid UTF-8 with a byte-order mark or a three-byte sequence (Japanese in UTF-8). Shift-JIS
// text almost never forms such sequences: its trail bytes break them.
bool looksLikeUtf8(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return true;
    bool sawLongSequence = false;
    for (qsizetype i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes.at(i));
        const int trail = lead < 0x80                    ? 0
                          : lead >= 0xC2 && lead <= 0xDF ? 1
                          : lead >= 0xE0 && lead <= 0xEF ? 2
                          : lead >= 0xF0 && lead <= 0xF4 ? 3
                                                         : -1;
        if (trail < 0 || i + trail >= bytes.size())
            return false;
        for (int k = 1; k <= trail; ++k)
            if ((static_cast<unsigned char>(bytes.at(i + k)) & 0xC0) != 0x80)
                return false;
        sawLongSequence = sawLongSequence || trail >= 2;
        i += trail + 1;
    }
    return sawLongSequence;
}

TextFileRead failedRead(FileProblem problem, const QString& detail) {
    TextFileRead result;
    result.problem = problem;
    result.error = FileProblemText(problem, 0, detail);
    return result;
}

} // namespace

bool LooksLikeCp932Text(const QByteArray& bytes) {
    for (const char byte : bytes)
        if (isControlByte(static_cast<unsigned char>(byte)))
            return false;
    return !looksLikeUtf8(bytes);
}

TextFileRead ReadTextFile(const QString& path, qint64 maxBytes) {
    const FileBytes file = ReadFileBytes(path, maxBytes);
    if (!file.ok())
        return failedRead(file.problem, file.detail);
    return DecodeTextFile(file.bytes);
}

TextFileRead DecodeTextFile(const QByteArray& bytes) {
    const auto text = LooksLikeCp932Text(bytes) ? Cp932ToText(bytes) : std::nullopt;
    if (!text)
        return failedRead(FileProblem::NotText, {});
    TextFileRead result;
    result.lines = SplitTextLines(*text);
    result.ok = true;
    return result;
}

bool WriteTextFile(const QString& path, const QStringList& lines, QString* error) {
    QString joined;
    for (const QString& line : lines) {
        joined += line;
        joined += QStringLiteral("\r\n");
    }
    const auto bytes = TextToCp932(joined);
    if (!bytes) {
        if (error)
            *error = QStringLiteral("a character cannot be written in CP932");
        return false;
    }
    return WriteFileBytes(path, *bytes, error);
}

} // namespace zel
