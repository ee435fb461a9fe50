#include "PanelWindow.h"

#include "PanelKeyRouter.h"
#include "common/NumberBoxGuard.h"
#include "common/NumberBoxes.h"
#include "shell/LanguageTables.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace zel::gui {

using namespace panel;
using B = PanelButton;

namespace {

constexpr int TextCaption = 64; // index in the panel's caption table

} // namespace

PanelWindow::PanelWindow(LinkEngine& engine, LanguageTables& language, Settings& settings,
                         MessageSink& messages, QWidget* parent)
    : QWidget(parent, Qt::Window), m_language(language),
      m_session(engine, language, settings, messages) {
    setObjectName(QStringLiteral("frmControl"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(caption(TextCaption));

    QWidget* content = buildContent();

    // Scrolls where the screen is smaller than the panel (large scaling).
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(content);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);
    // As large as the panel, within the screen; the scroll area takes the rest. Once shown,
    // the controls know their real sizes: the panel shrinks to them, leaving no band below
    // (unless it reopened at the size it was closed at).
    const auto fitContent = [this, content] {
        QSize size = content->sizeHint().grownBy(QMargins(0, 0, 4, 4));
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            size = size.boundedTo(screen->availableSize() - QSize(16, 48));
        resize(size);
    };
    fitContent();
    QTimer::singleShot(0, this, [this, fitContent, first = size()] {
        if (size() == first)
            fitContent();
    });

    connectPanel();
    connectBoxes();
    guardNumberBoxes();
    m_router = new PanelKeyRouter(*this, *m_textCtrl, m_session);
    m_session.open();
    m_textCtrl->setFocus();
}

PanelWindow::~PanelWindow() {
    delete m_router;
    delete m_numberBoxes; // its checks use the session
    m_session.close();
}

QString PanelWindow::caption(int index) const {
    return m_language.text(LangGroup::Panel, index);
}

QToolButton* PanelWindow::CommandKey(int set, int index) const {
    return m_commandKey[size_t(set)][size_t(index)];
}

QToolButton* PanelWindow::CommandPTZF(int index) const {
    return m_commandPtzf[size_t(index)];
}

QToolButton* PanelWindow::button(B key) const {
    for (const auto& [button, widget] : m_functionKeys)
        if (button == key)
            return widget;
    return nullptr;
}

QRadioButton* PanelWindow::OptionKey(int group, int index) const {
    return qobject_cast<QRadioButton*>(m_modeGroups[size_t(group)]->button(index));
}

// ---- Controls -----------------------------------------------------------------------------

// Keys take the focus by keyboard only, so a click leaves it in the entry box.
// Compact keys that fill their cell, as on a remote controller.
QToolButton* PanelWindow::key(const QString& name, int captionIndex, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setText(captionIndex >= 0 ? caption(captionIndex) : QString());
    button->setObjectName(name);
    button->setFocusPolicy(Qt::TabFocus);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    button->installEventFilter(this);
    return button;
}

QToolButton* PanelWindow::functionKey(B which, int captionIndex, QWidget* parent) {
    QToolButton* button = key(QStringLiteral("Key%1").arg(int(which)), captionIndex, parent);
    m_functionKeys.emplace_back(which, button);
    connect(button, &QToolButton::clicked, this,
            [this, which] { m_session.commands().click(which); });
    return button;
}

// Digits only, pasted text too.
QLineEdit* PanelWindow::numberBox(const QString& name, int maxLength, QWidget* parent) {
    QLineEdit* box = makeNumberBox(name, maxLength, parent);
    box->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), box));
    return box;
}

QRadioButton* PanelWindow::option(const QString& text, QButtonGroup* group, int id,
                                  QWidget* parent) {
    auto* radio = new QRadioButton(text, parent);
    // No focus at all (neither Tab nor Ctrl+Tab): arrow keys must never change a speed.
    radio->setFocusPolicy(Qt::NoFocus);
    group->addButton(radio, id);
    return radio;
}

// ---- Wiring -------------------------------------------------------------------------------

void PanelWindow::connectPanel() {
    m_session.commands().onFocusEntryBox = [this] { focusEntry(); };
    m_session.commands().onBoxRefused = [this](PanelBox box, int index) { refuseBox(box, index); };
    m_session.commands().onStateChanged = [this] { render(); };
    // A report fills the position boxes even where the focus is: GO sends what they show.
    m_session.commands().onPositionReport = [this] {
        for (size_t i = 0; i < m_textPanel.size(); ++i)
            m_textPanel[i]->setText(m_session.state().PositionText[i]);
    };
}

void PanelWindow::connectBoxes() {
    connect(m_textHostNo, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_session.commands().setRemoteNoText(text); });
    for (int i = 0; i < 4; ++i) {
        connect(m_textKey[size_t(i)], &QLineEdit::textEdited, this,
                [this, i](const QString& text) { m_session.commands().setTestSpeedText(i, text); });
        connect(m_scrollKey[size_t(i)], &QScrollBar::valueChanged, this,
                [this, i](int value) { m_session.commands().setTestSpeedBar(i, value); });
        connect(m_textPanel[size_t(i)], &QLineEdit::textEdited, this,
                [this, i](const QString& text) { m_session.commands().setPositionText(i, text); });
        connect(m_scrollPanel[size_t(i)], &QScrollBar::valueChanged, this,
                [this, i](int value) { m_session.commands().setPositionBar(i, value); });
    }
}

void PanelWindow::focusEntry() {
    if (isVisible())
        m_textCtrl->setFocus(Qt::OtherFocusReason);
}

void PanelWindow::stepRemoteNo(int step) {
    m_numberBoxes->step(m_textHostNo, step);
}

void PanelWindow::render() {
    const PanelState& s = m_session.state();
    const PanelControls controls = m_session.controls();
    const EntryBox& entry = m_session.commands().entry();
    if (m_textCtrl->text() != entry.text())
        m_textCtrl->setText(entry.text());
    if (entry.isSelected())
        m_textCtrl->selectAll();
    else
        m_textCtrl->end(false);
    m_labelCamNo->setText(s.CameraNo);
    if (!m_textHostNo->hasFocus() && m_textHostNo->text() != s.RemoteNo)
        m_textHostNo->setText(s.RemoteNo);
    m_checkPanel->setChecked(s.PresetKeyActive);
    m_framePanel->setVisible(controls.autoPanChoices);
    for (QButtonGroup* group : m_modeGroups)
        if (QAbstractButton* radio = group->button(s.SpeedMode))
            radio->setChecked(true);
    m_frameKey[0]->setVisible(controls.testSpeeds);
    m_frameKey[1]->setVisible(controls.normalSpeeds);
    const auto check = [](QButtonGroup* group, const auto& choices, int value) {
        const auto found = std::find(choices.begin(), choices.end(), value);
        if (QAbstractButton* radio = group->button(int(found - choices.begin())))
            radio->setChecked(true);
    };
    check(m_panSpeeds, kPanTiltSpeeds, s.PanSpeed);
    check(m_tiltSpeeds, kPanTiltSpeeds, s.TiltSpeed);
    check(m_zoomSpeeds, kZoomFocusSpeeds, s.ZoomSpeed);
    check(m_focusSpeeds, kZoomFocusSpeeds, s.FocusSpeed);
    if (QAbstractButton* way = m_autoPanWay->button(s.AutoPanWay))
        way->setChecked(true);
    if (QAbstractButton* turn = m_autoPanTurn->button(s.AutoPanLR))
        turn->setChecked(true);
    for (size_t i = 0; i < 4; ++i) {
        // A box being typed into keeps its text; the panel follows it.
        if (!m_textKey[i]->hasFocus())
            m_textKey[i]->setText(s.TestSpeedText[i]);
        if (!m_textPanel[i]->hasFocus())
            m_textPanel[i]->setText(s.PositionText[i]);
        const QSignalBlocker keyBar(m_scrollKey[i]);
        m_scrollKey[i]->setValue(s.TestSpeedValue[i]);
        const QSignalBlocker panelBar(m_scrollPanel[i]);
        m_scrollPanel[i]->setValue(s.PositionValue[i]);
    }
}

// The panel checks a box it was told was left through its event gate; a refusal comes back
// later and hands the focus back.
void PanelWindow::guardNumberBoxes() {
    m_numberBoxes = new NumberBoxGuard(this);
    PanelCommands& commands = m_session.commands();
    const auto leaves = [](std::function<void()> leave) {
        return [leave = std::move(leave)] {
            leave();
            return true;
        };
    };
    m_numberBoxes->watch(m_textHostNo, leaves([&commands] { commands.leaveRemoteNo(); }));
    m_numberBoxes->setSteps(m_textHostNo, kRemoteNoRange,
                            [&commands](const QString& text) { commands.setRemoteNoText(text); });
    for (int i = 0; i < 4; ++i) {
        m_numberBoxes->watch(m_textKey[size_t(i)],
                             leaves([&commands, i] { commands.leaveTestSpeed(i); }));
        m_numberBoxes->watch(m_textPanel[size_t(i)],
                             leaves([&commands, i] { commands.leavePosition(i); }));
    }
}

void PanelWindow::refuseBox(PanelBox box, int index) {
    QLineEdit* widget = m_textCtrl;
    if (box == PanelBox::RemoteNo)
        widget = m_textHostNo;
    else if (box == PanelBox::TestSpeed)
        widget = m_textKey[size_t(index)];
    else if (box == PanelBox::Position)
        widget = m_textPanel[size_t(index)];
    m_numberBoxes->refuse(widget);
}

bool PanelWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && qobject_cast<QToolButton*>(watched)) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            m_session.commands().buttonLostFocus();
    }
    return QWidget::eventFilter(watched, event);
}

void PanelWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange) {
        if (isActiveWindow()) {
            // Back from a message box of the panel's own: the focus stays where it was put.
            if (!m_leftForDialog)
                m_session.commands().activated();
            m_leftForDialog = false;
        } else {
            m_leftForDialog = QApplication::activeModalWidget() != nullptr;
            m_session.commands().deactivated(); // key-ups now go elsewhere
        }
    }
    QWidget::changeEvent(event);
}

void PanelWindow::closeEvent(QCloseEvent* event) {
    m_session.close(); // a movement still running is stopped
    event->accept();
    emit closed();
}

} // namespace zel::gui
