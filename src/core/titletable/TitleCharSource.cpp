#include "TitleCharSource.h"

#include <array>

namespace zel {

namespace {

// How one language forms the glyphs of a range of codes.
enum class FormKind : quint8 {
    Run,    // consecutive characters from `first`, one per code
    List,   // the characters of `list`, one per code
    Escape, // the escape form of each code
    Space,  // the language's space
    None,   // no form: the row is absent from that language's table
};

struct FormSpec {
    FormKind kind;
    char16_t first = 0;
    const char16_t* list = nullptr;
};

struct SourceRange {
    quint16 firstCode;
    quint16 lastCode;
    FormSpec japanese;
    FormSpec english;
};

constexpr FormSpec run(char16_t first) {
    return {FormKind::Run, first, nullptr};
}
constexpr FormSpec list(const char16_t* chars) {
    return {FormKind::List, 0, chars};
}
constexpr FormSpec esc{FormKind::Escape};
constexpr FormSpec sp{FormKind::Space};
constexpr FormSpec none{FormKind::None};

constexpr char16_t kIdeographicSpace = u'\u3000';

// The source list, range by range, in row order (0069 has two rows).
constexpr std::array kRanges{
    SourceRange{0x000, 0x009, run(u'０'), run(u'0')},
    SourceRange{0x00A, 0x023, run(u'Ａ'), run(u'A')},
    SourceRange{0x024, 0x028, esc, esc},
    SourceRange{0x029, 0x029, list(u"／"), list(u"/")},
    SourceRange{0x02A, 0x043, esc, esc},
    SourceRange{0x044, 0x044, list(u"β"), esc},
    SourceRange{0x045, 0x04D, esc, esc},
    SourceRange{0x04E, 0x04E, list(u"♪"), esc},
    SourceRange{0x04F, 0x050, list(u"！？"), list(u"!?")},
    SourceRange{0x051, 0x052, esc, esc},
    SourceRange{0x053, 0x053, list(u"■"), esc},
    SourceRange{0x054, 0x059, esc, esc},
    SourceRange{0x05A, 0x05D, list(u"△▽【】"), esc},
    SourceRange{0x05E, 0x063, list(u"（）＜＞［］"), list(u"()<>[]")},
    SourceRange{0x064, 0x064, list(u"×"), esc},
    SourceRange{0x065, 0x065, list(u"＊"), list(u"*")},
    SourceRange{0x066, 0x066, esc, esc},
    SourceRange{0x067, 0x067, list(u"÷"), esc},
    SourceRange{0x068, 0x068, list(u"＋"), list(u"+")},
    SourceRange{0x069, 0x069, list(u"－"), list(u"-")},
    SourceRange{0x069, 0x069, list(u"ー"), list(u"-")},
    SourceRange{0x06A, 0x06A, list(u"＝"), list(u"=")},
    SourceRange{0x06B, 0x071, list(u"∥●～↑↓→←"), esc},
    SourceRange{0x072, 0x075, list(u"’″，．"), list(u"'\",.")},
    SourceRange{0x076, 0x079, list(u"。・‥…"), esc},
    SourceRange{0x07A, 0x07D, list(u"；：￥＄"), list(u";:\\$")},
    SourceRange{0x07E, 0x07F, list(u"￠￡"), esc},
    SourceRange{0x080, 0x082, list(u"％＃＆"), list(u"%#&")},
    SourceRange{0x083, 0x089, esc, esc},
    SourceRange{0x08A, 0x095, sp, sp},
    SourceRange{0x096, 0x09E, run(u'①'), esc},
    SourceRange{0x09F, 0x09F, esc, esc},
    SourceRange{0x0A0, 0x0CD,
                list(u"アイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨ"
                     u"ラリルレロワヲン"),
                none},
    SourceRange{0x0CE, 0x0E6, list(u"ガギグゲゴザジズゼゾダヂヅデドバビブベボパピプペポ"), none},
    SourceRange{0x0E7, 0x0ED, list(u"ァィェッャュョ"), none},
    SourceRange{0x0EE, 0x0F8, list(u"┏┓━┃┗┛╋┻┳┫┣"), esc},
    SourceRange{0x0F9, 0x0FA, list(u"ゥォ"), none},
    SourceRange{0x0FB, 0x0FB, sp, sp},
    SourceRange{0x0FC, 0x0FC, esc, esc},
    SourceRange{0x0FD, 0x109, sp, sp},
    SourceRange{0x10A, 0x123, run(u'ａ'), run(u'a')},
    SourceRange{0x124, 0x17E, esc, esc},
    SourceRange{0x17F, 0x184, sp, sp},
    SourceRange{0x185, 0x189, esc, esc},
    SourceRange{0x18A, 0x18E, list(u"ⅠⅡⅢⅤⅩ"), esc},
    SourceRange{0x18F, 0x19F, esc, esc},
    SourceRange{0x1A0, 0x1CD,
                list(u"あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよ"
                     u"らりるれろわをん"),
                none},
    SourceRange{0x1CE, 0x1E6, list(u"がぎぐげござじずぜぞだぢづでどばびぶべぼぱぴぷぺぽ"), none},
    SourceRange{0x1E7, 0x1E9, sp, sp},
    SourceRange{0x1EA, 0x1ED, list(u"っゃゅょ"), none},
    SourceRange{0x1EE, 0x1FF, sp, sp},
};

constexpr int listLength(const char16_t* chars) {
    int length = 0;
    while (chars[length] != 0)
        ++length;
    return length;
}

constexpr bool formFits(const FormSpec& form, int codeCount) {
    return form.kind != FormKind::List || listLength(form.list) == codeCount;
}

constexpr bool rangesAreWellFormed() {
    int rows = 0;
    for (const SourceRange& range : kRanges) {
        const int codeCount = range.lastCode - range.firstCode + 1;
        if (codeCount < 1 || !formFits(range.japanese, codeCount) ||
            !formFits(range.english, codeCount))
            return false;
        rows += codeCount;
    }
    return rows == 513;
}
static_assert(rangesAreWellFormed(), "every list holds one character per code; 513 rows");

QString formFor(const FormSpec& form, quint16 code, quint16 firstCode, bool japanese) {
    const int offset = code - firstCode;
    switch (form.kind) {
    case FormKind::Run:
        return QString(QChar(static_cast<char16_t>(form.first + offset)));
    case FormKind::List:
        return QString(QChar(form.list[offset]));
    case FormKind::Escape:
        return TitleEscapeForm(code, japanese);
    case FormKind::Space:
        return QString(QChar(japanese ? kIdeographicSpace : u' '));
    case FormKind::None:
        break;
    }
    return {};
}

} // namespace

QString TitleEscapeForm(quint16 code, bool japanese) {
    const QString digits =
        QStringLiteral("%1").arg(code & 0xFFF, 3, 16, QLatin1Char('0')).toUpper();
    if (!japanese)
        return QLatin1Char('{') + digits + QLatin1Char('}');
    QString wide(QChar(u'｛'));
    for (const QChar digit : digits)
        wide += QChar(static_cast<char16_t>(digit.unicode() + 0xFEE0));
    wide += QChar(u'｝');
    return wide;
}

QVector<TitleSourceRow> TitleSourceRows() {
    QVector<TitleSourceRow> rows;
    rows.reserve(513);
    for (const SourceRange& range : kRanges) {
        for (int code = range.firstCode; code <= range.lastCode; ++code) {
            const auto value = static_cast<quint16>(code);
            rows.append({value, formFor(range.japanese, value, range.firstCode, true),
                         formFor(range.english, value, range.firstCode, false)});
        }
    }
    return rows;
}

} // namespace zel
