#include "FindReplaceDialog.h"

#include "common/FilteredKeys.h"
#include "common/MessageNumber.h"
#include "common/MessageSink.h"
#include "find/FindRules.h"
#include "find/FindState.h"
#include "find/TextFinder.h"
#include "shell/LanguageTables.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zel::gui {

namespace {
// The message of a replacement that is not hexadecimal text (the same in both languages).
const QString kInvalidSetting = QStringLiteral("設定値が不正です。");
} // namespace

FindReplaceDialog::FindReplaceDialog(Kind kind, FindState& state, FindTarget& target,
                                     MessageSink& messages, const LanguageTables& language,
                                     const TitleCharTable& table, QWidget* parent)
    : QDialog(parent), m_state(state), m_target(target), m_messages(messages), m_language(language),
      m_table(table), m_context(state.FindContext) {
    setObjectName(kind == Kind::Find ? QStringLiteral("frmFind") : QStringLiteral("frmChange"));
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls(kind);
    applyCaptions(kind);
    const FindDialogRules rules = FindRulesFor(m_context);
    if (rules.startsWithLastFind) {
        m_textFind->setText(m_state.LastFindText.left(rules.maxLength));
        m_textFind->selectAll();
    }
    updateButtons();
    m_textFind->setFocus();
}

FindReplaceDialog::~FindReplaceDialog() {
    m_state.DialogSeat.leave(this);
}

void FindReplaceDialog::openAlone() {
    m_state.DialogSeat.take(this, [this] { reject(); });
    connect(this, &QDialog::finished, this, [this] { m_state.DialogSeat.leave(this); });
    open();
}

QLineEdit* FindReplaceDialog::textBox(const QString& name) {
    auto* box = new QLineEdit(this);
    box->setObjectName(name);
    box->setMaxLength(FindRulesFor(m_context).maxLength);
    // The log's hexadecimal rows are searched without the input method.
    box->setAttribute(Qt::WA_InputMethodEnabled, m_context == FindContextTitle);
    box->installEventFilter(this);
    connect(box, &QLineEdit::textChanged, this, &FindReplaceDialog::updateButtons);
    return box;
}

void FindReplaceDialog::buildControls(Kind kind) {
    m_labelFind = new QLabel(this);
    m_textFind = textBox(QStringLiteral("TextFind"));
    m_labelFind->setBuddy(m_textFind);
    m_checkFind = new QCheckBox(this);
    m_checkFind->setObjectName(QStringLiteral("CheckFind"));
    m_commandFind = new QPushButton(this);
    m_commandFind->setObjectName(QStringLiteral("CommandFind"));
    m_commandFind->setDefault(true);
    m_commandCancel = new QPushButton(this);
    m_commandCancel->setObjectName(QStringLiteral("CommandCancel"));
    auto* fields = new QGridLayout;
    fields->addWidget(m_labelFind, 0, 0);
    fields->addWidget(m_textFind, 0, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_commandFind);
    if (kind == Kind::Replace) {
        m_labelChange = new QLabel(this);
        m_textChange = textBox(QStringLiteral("TextChange"));
        m_labelChange->setBuddy(m_textChange);
        fields->addWidget(m_labelChange, 1, 0);
        fields->addWidget(m_textChange, 1, 1);
        m_commandChange = new QPushButton(this);
        m_commandChange->setObjectName(QStringLiteral("CommandChange"));
        m_commandAllChange = new QPushButton(this);
        m_commandAllChange->setObjectName(QStringLiteral("CommandAllChange"));
        buttons->addWidget(m_commandChange);
        buttons->addWidget(m_commandAllChange);
        connect(m_commandChange, &QPushButton::clicked, this, &FindReplaceDialog::onReplace);
        connect(m_commandAllChange, &QPushButton::clicked, this, &FindReplaceDialog::onReplaceAll);
    }
    fields->addWidget(m_checkFind, 2, 0, 1, 2);
    fields->setRowStretch(3, 1);
    buttons->addWidget(m_commandCancel);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addLayout(buttons);
    connect(m_commandFind, &QPushButton::clicked, this, &FindReplaceDialog::onFind);
    connect(m_commandCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void FindReplaceDialog::applyCaptions(Kind kind) {
    if (kind == Kind::Find) {
        const auto text = [this](int i) { return m_language.text(LangGroup::Find, i); };
        setWindowTitle(text(FindCaption));
        m_labelFind->setText(text(FindLabelFind));
        m_checkFind->setText(text(FindCheckFind));
        m_commandFind->setText(text(FindCommandFind));
        m_commandCancel->setText(text(FindCommandCancel));
        return;
    }
    const auto text = [this](int i) { return m_language.text(LangGroup::Replace, i); };
    setWindowTitle(text(ReplaceCaption));
    m_labelFind->setText(text(ReplaceLabelFind));
    m_labelChange->setText(text(ReplaceLabelChange));
    m_checkFind->setText(text(ReplaceCheckFind));
    m_commandFind->setText(text(ReplaceCommandFind));
    m_commandChange->setText(text(ReplaceCommandChange));
    m_commandAllChange->setText(text(ReplaceCommandAllChange));
    m_commandCancel->setText(text(ReplaceCommandCancel));
}

bool FindReplaceDialog::eventFilter(QObject* watched, QEvent* event) {
    auto* box = qobject_cast<QLineEdit*>(watched);
    // Each typed or committed character as the context takes it.
    const auto rule = [this](int key) { return FilterFindKey(m_context, key, m_table); };
    if (box && event->type() == QEvent::KeyPress &&
        insertFilteredKey(box, static_cast<QKeyEvent*>(event), rule))
        return true;
    if (box && event->type() == QEvent::InputMethod &&
        commitFilteredText(box, static_cast<QInputMethodEvent*>(event), rule))
        return true;
    return QDialog::eventFilter(watched, event);
}

void FindReplaceDialog::updateButtons() {
    const FindDialogRules rules = FindRulesFor(m_context);
    m_commandFind->setEnabled(rules.textUsable(m_textFind->text()));
    if (!m_textChange)
        return;
    const bool replaceUsable =
        rules.textUsable(m_textFind->text()) && rules.textUsable(m_textChange->text());
    m_commandChange->setEnabled(replaceUsable);
    m_commandAllChange->setEnabled(replaceUsable);
}

bool FindReplaceDialog::replacementAcceptable() {
    if (m_context != FindContextTest || CheckHexReplacement(m_textChange->text()))
        return true;
    m_messages.ShowMessage(MessageError, kInvalidSetting);
    m_textChange->setFocus();
    m_textChange->selectAll();
    return false;
}

void FindReplaceDialog::onFind() {
    TextFinder finder(m_state, m_messages, m_language);
    finder.find(m_target,
                FindRulesFor(m_context).options(m_textFind->text(), m_checkFind->isChecked()));
}

void FindReplaceDialog::onReplace() {
    if (!replacementAcceptable())
        return;
    TextFinder finder(m_state, m_messages, m_language);
    finder.replaceNext(
        m_target, FindRulesFor(m_context).options(m_textFind->text(), m_checkFind->isChecked()),
        m_textChange->text());
}

void FindReplaceDialog::onReplaceAll() {
    if (!replacementAcceptable())
        return;
    TextFinder finder(m_state, m_messages, m_language);
    finder.replaceAll(m_target,
                      FindRulesFor(m_context).options(m_textFind->text(), m_checkFind->isChecked()),
                      m_textChange->text());
}

} // namespace zel::gui
