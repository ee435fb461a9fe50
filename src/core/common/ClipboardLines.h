#pragma once
// Text lines through the system clipboard (title editor, communication test). Copy: a single
// text as it is, several texts each followed by CR LF. Paste: a text without a line break is
// one line; otherwise every piece before the last line break is one line and text after it
// is dropped. Line breaks are CR LF, or LF alone as other programs on this system write them.
#include <QString>
#include <QStringList>

namespace zel {

// The system clipboard as far as lines need it; the GUI wraps QClipboard, tests keep a text.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual QString text() const = 0;
    virtual void setText(const QString& text) = 0; // replaces what was there
};

QString LinesToClipboardText(const QStringList& lines);
// `oneLine`: only the first line (the whole text when it has no line break).
QStringList ClipboardTextToLines(const QString& text, bool oneLine);

void CopyLinesToClipboard(Clipboard& clipboard, const QStringList& lines);
// False (and no lines) when the clipboard holds no text.
bool PasteLinesFromClipboard(const Clipboard& clipboard, bool oneLine, QStringList& lines);

} // namespace zel
