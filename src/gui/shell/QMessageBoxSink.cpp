#include "QMessageBoxSink.h"

#include "shell/LanguageTables.h"
#include "shell/MessageCatalog.h"

#include <QApplication>
#include <QGridLayout>
#include <QMessageBox>
#include <algorithm>

namespace zel::gui {

namespace {

QMessageBox::Icon iconOf(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Stop:
        return QMessageBox::Critical;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Information:
        return QMessageBox::Information;
    }
    return QMessageBox::Information;
}

QMessageBox::StandardButtons buttonsOf(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::Ok:
        return QMessageBox::Ok;
    case MessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

int resultOf(int standardButton) {
    switch (standardButton) {
    case QMessageBox::Yes:
        return ButtonYes;
    case QMessageBox::No:
        return ButtonNo;
    case QMessageBox::Cancel:
        return ButtonCancel;
    default:
        return ButtonOk;
    }
}

} // namespace

QMessageBoxSink::QMessageBoxSink(const LanguageTables& language, QWidget* parent)
    : m_language(language), m_parent(parent) {}

QString QMessageBoxSink::displayText(const QString& text) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

QWidget* QMessageBoxSink::raisingWindow() const {
    if (QWidget* active = QApplication::activeWindow())
        return active;
    if (QWidget* focus = QApplication::focusWidget())
        return focus->window();
    return m_parent.data();
}

void QMessageBoxSink::fitToTitle(QMessageBox& box) {
    // Caption buttons and the window icon take about this much beside the title; the icon
    // takes about this much beside the texts.
    constexpr int kCaptionAllowance = 140;
    constexpr int kIconAllowance = 90;
    constexpr int kMaxWidth = 600; // longer details wrap
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid)
        return;
    const QFontMetrics metrics = box.fontMetrics();
    int width = metrics.horizontalAdvance(box.windowTitle()) + kCaptionAllowance;
    for (const QString& line : box.informativeText().split(QLatin1Char('\n')))
        width =
            std::max(width, std::min(kMaxWidth, metrics.horizontalAdvance(line) + kIconAllowance));
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

int QMessageBoxSink::ShowMessage(int number, const QString& extra) {
    const auto content = ComposeMessage(m_language, number, extra);
    if (!content)
        return ButtonNone;
    QWidget* parent = raisingWindow();
    const QPointer<QWidget> focus = QApplication::focusWidget();
    const QString text = displayText(content->text);
    QMessageBox box(iconOf(content->icon), content->title, text, buttonsOf(content->buttons),
                    parent);
    box.setObjectName(QStringLiteral("Message%1").arg(number));
    if (m_detailSource)
        box.setInformativeText(m_detailSource(number));
    fitToTitle(box);
    // The answer is needed before the caller goes on: a modal box.
    const int result = resultOf(box.exec());
    if (focus && focus->isVisible() && focus->isEnabled()) {
        focus->activateWindow();
        focus->setFocus(Qt::OtherFocusReason);
    }
    return result;
}

} // namespace zel::gui
