#pragma once
// The system clipboard for ClipboardLines.
#include "common/ClipboardLines.h"

namespace zel::gui {

class QtClipboard : public Clipboard {
public:
    QString text() const override;
    void setText(const QString& text) override;
};

} // namespace zel::gui
