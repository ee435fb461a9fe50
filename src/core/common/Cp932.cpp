#include "Cp932.h"

#include <cerrno>
#include <iconv.h>

namespace zel {

namespace {

// Runs one whole conversion; false on an invalid or unconvertible sequence.
bool convert(const char* to, const char* from, const QByteArray& in, QByteArray& out) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    out.resize(in.size() * 4 + 16);
    char* inPtr = const_cast<char*>(in.constData());
    size_t inLeft = static_cast<size_t>(in.size());
    char* outPtr = out.data();
    size_t outLeft = static_cast<size_t>(out.size());
    bool ok = true;
    while (inLeft > 0) {
        if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) {
            if (errno == E2BIG) {
                const auto used = outPtr - out.data();
                out.resize(out.size() * 2);
                outPtr = out.data() + used;
                outLeft = static_cast<size_t>(out.size() - used);
                continue;
            }
            ok = false;
            break;
        }
    }
    out.resize(outPtr - out.data());
    iconv_close(cd);
    return ok;
}

} // namespace

std::optional<QString> Cp932ToText(const QByteArray& bytes) {
    QByteArray utf8;
    if (!convert("UTF-8", "CP932", bytes, utf8))
        return std::nullopt;
    return QString::fromUtf8(utf8);
}

std::optional<QByteArray> TextToCp932(const QString& text) {
    QByteArray cp932;
    if (!convert("CP932", "UTF-8", text.toUtf8(), cp932))
        return std::nullopt;
    return cp932;
}

} // namespace zel
