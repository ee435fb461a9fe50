#include "QMessageBoxSink.h"

#include "shell/LanguageTables.h"
#include "shell/MessageCatalog.h"

#include <QApplication>
#include <QMessageBox>

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

int QMessageBoxSink::ShowMessage(int number, const QString& extra) {
    const auto content = ComposeMessage(m_language, number, extra);
    if (!content)
        return ButtonNone;
    QWidget* parent = m_parent ? m_parent.data() : QApplication::activeWindow();
    const QString text = displayText(content->text);
    QMessageBox box(iconOf(content->icon), content->title, text, buttonsOf(content->buttons),
                    parent);
    box.setObjectName(QStringLiteral("Message%1").arg(number));
    // The answer is needed before the caller goes on: a modal box.
    return resultOf(box.exec());
}

} // namespace zel::gui
