#include "TextLines.h"

namespace zel {

namespace {

// Position of the next CR or LF at or after `from`, or -1.
template <typename Text> qsizetype nextLineBreak(const Text& text, qsizetype from) {
    for (qsizetype i = from; i < text.size(); ++i)
        if (text.at(i) == u'\r' || text.at(i) == u'\n')
            return i;
    return -1;
}

// Length of the line end starting at `pos` (2 for CR LF, else 1).
template <typename Text> qsizetype lineEndLength(const Text& text, qsizetype pos) {
    return text.at(pos) == u'\r' && pos + 1 < text.size() && text.at(pos + 1) == u'\n' ? 2 : 1;
}

} // namespace

QVector<LineSpan> FindLineSpans(const QByteArray& content) {
    QVector<LineSpan> lines;
    qsizetype pos = 0;
    while (pos < content.size()) {
        const qsizetype lineBreak = nextLineBreak(content, pos);
        LineSpan line;
        line.start = pos;
        if (lineBreak < 0) {
            line.length = content.size() - pos;
            line.end = content.size();
        } else {
            line.length = lineBreak - pos;
            line.end = lineBreak + lineEndLength(content, lineBreak);
        }
        lines.append(line);
        pos = line.end;
    }
    return lines;
}

QByteArray LineEndOf(const QByteArray& content) {
    const qsizetype lineBreak = nextLineBreak(content, 0);
    if (lineBreak < 0)
        return QByteArrayLiteral("\r\n");
    return content.mid(lineBreak, lineEndLength(content, lineBreak));
}

QStringList SplitTextLines(const QString& text) {
    QStringList lines;
    qsizetype pos = 0;
    while (pos < text.size()) {
        const qsizetype lineBreak = nextLineBreak(text, pos);
        if (lineBreak < 0) {
            lines.append(text.mid(pos));
            break;
        }
        lines.append(text.mid(pos, lineBreak - pos));
        pos = lineBreak + lineEndLength(text, lineBreak);
    }
    return lines;
}

} // namespace zel
