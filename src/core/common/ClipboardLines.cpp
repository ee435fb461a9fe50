#include "ClipboardLines.h"

namespace zel {

QString LinesToClipboardText(const QStringList& lines) {
    if (lines.size() == 1)
        return lines.first();
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    return text;
}

QStringList ClipboardTextToLines(const QString& text, bool oneLine) {
    QString unified = text;
    unified.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const qsizetype lastBreak = unified.lastIndexOf(QLatin1Char('\n'));
    if (lastBreak < 0)
        return {text};
    if (oneLine)
        return {unified.left(unified.indexOf(QLatin1Char('\n')))};
    return unified.left(lastBreak).split(QLatin1Char('\n'));
}

void CopyLinesToClipboard(Clipboard& clipboard, const QStringList& lines) {
    clipboard.setText(LinesToClipboardText(lines));
}

bool PasteLinesFromClipboard(const Clipboard& clipboard, bool oneLine, QStringList& lines) {
    const QString text = clipboard.text();
    lines.clear();
    if (text.isEmpty())
        return false;
    lines = ClipboardTextToLines(text, oneLine);
    return true;
}

} // namespace zel
