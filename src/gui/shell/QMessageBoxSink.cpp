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

int ShowMessageBox(QWidget* parent, const MessageBoxContent& content, const QString& name) {
    QString text = content.text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(iconOf(content.icon), content.title, text, buttonsOf(content.buttons),
                    parent ? parent : QApplication::activeWindow());
    box.setObjectName(name);
    // The answer is needed before the caller goes on: a modal box.
    return resultOf(box.exec());
}

int QMessageBoxSink::ShowMessage(int number, const QString& extra) {
    const auto content = ComposeMessage(m_language, number, extra);
    if (!content)
        return ButtonNone;
    return ShowMessageBox(m_parent, *content, QStringLiteral("Message%1").arg(number));
}

} // namespace zel::gui
