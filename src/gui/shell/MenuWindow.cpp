#include "MenuWindow.h"

#include "OptionDialog.h"
#include "WindowPlacement.h"
#include "link/PortWatch.h"
#include "shell/Application.h"
#include "shell/LanguageTables.h"
#include "shell/MenuState.h"
#include "shell/ToolTexts.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace zel::gui {

namespace {

// Design sizes, in pixels: buttons 257 x 41 with 15 between them, 32 at the sides and 16
// at top and bottom. The gaps give way first when the screen is short.
constexpr int kButtonWidth = 257;
constexpr int kButtonHeight = 41;
constexpr int kButtonGap = 15;
constexpr int kSideMargin = 32;
constexpr int kEndMargin = 16;

using Button = MenuState::Button;

QSpacerItem* makeGap() {
    return new QSpacerItem(0, kButtonGap, QSizePolicy::Minimum, QSizePolicy::Preferred);
}

} // namespace

MenuWindow::MenuWindow(Application& app, QWidget* parent) : QWidget(parent), m_app(app) {
    setObjectName(QStringLiteral("frmMenu"));
    buildButtons();
    m_app.menu().onChanged = [this] { refreshButtons(); };
    m_app.portWatch().onChanged = [this] { refreshPortStatus(); };
}

MenuWindow::~MenuWindow() {
    // Screens opened over the menu go first, while the buttons their close hooks touch
    // are still there (the program can end with screens open).
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child->isWindow())
            delete child;
    m_app.menu().onChanged = nullptr;
    m_app.portWatch().onChanged = nullptr;
}

QPushButton* MenuWindow::makeButton(int button, QWidget* owner) {
    auto* push = new QPushButton(owner);
    push->setObjectName(QStringLiteral("CommandMenu%1").arg(button));
    push->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    push->setAutoDefault(true); // Enter presses the focused button
    connect(push, &QPushButton::clicked, this, [this, button] { onClick(button); });
    m_buttons[static_cast<size_t>(button)] = push;
    return push;
}

// Top to bottom (also the tab order): 0, 1, 2, [5], 3, [6], 4, 7; the test buttons sit in
// the frames FrameMenuTest 0 and 1, which are hidden outside test mode. Then one line across the
// foot of the form: the port's name and state.
void MenuWindow::buildButtons() {
    auto* form = new QVBoxLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    form->setSpacing(0);
    auto* column = new QVBoxLayout;
    column->setContentsMargins(kSideMargin, kEndMargin, kSideMargin, kEndMargin);
    column->setSpacing(0);
    form->addLayout(column);
    m_portStatus = new QLabel(this);
    m_portStatus->setObjectName(QStringLiteral("LabelPortStatus"));
    m_portStatus->setFrameShape(QFrame::StyledPanel);
    m_portStatus->setIndent(4);
    // Screens too large to open beside the menu leave its status line in sight.
    m_portStatus->setProperty(WindowPlacement::kKeepVisibleProperty, true);
    m_portStatus->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed); // elided to fit
    form->addWidget(m_portStatus);
    bool first = true;
    for (int button : {0, 1, 2, 5, 3, 6, 4, 7}) {
        if (button == Button::ButtonCommTest || button == Button::ButtonCommLog) {
            auto* frame = new QFrame(this);
            const int index = button == Button::ButtonCommTest ? 0 : 1;
            frame->setObjectName(QStringLiteral("FrameMenuTest%1").arg(index));
            frame->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
            auto* inside = new QVBoxLayout(frame);
            inside->setContentsMargins(0, 0, 0, 0);
            inside->addWidget(makeButton(button, frame));
            m_testFrames[static_cast<size_t>(index)] = frame;
            m_frameGaps[static_cast<size_t>(index)] = makeGap();
            column->addItem(m_frameGaps[static_cast<size_t>(index)]);
            column->addWidget(frame);
            continue;
        }
        if (!first)
            column->addItem(makeGap());
        column->addWidget(makeButton(button, this));
        first = false;
    }
}

void MenuWindow::load() {
    applyCaptions();
    // Outside test mode the frames and the gaps above them go: even spacing again.
    const bool testMode = m_app.settings().testMode();
    for (size_t i = 0; i < m_testFrames.size(); ++i) {
        m_testFrames[i]->setVisible(testMode);
        m_frameGaps[i]->changeSize(0, testMode ? kButtonGap : 0, QSizePolicy::Minimum,
                                   QSizePolicy::Preferred);
    }
    layout()->invalidate();
    m_app.menu().reset();
    m_app.openPort();
    QApplication::clipboard()->clear();
    refreshButtons();
    refreshPortStatus();
    resize(designSize());
    layout()->activate(); // buttons in place before the first show
    // The two modes differ in height: each keeps a place of its own.
    WindowPlacement::place(*this, m_app.settings(),
                           testMode ? QStringLiteral("frmMenuTest") : QStringLiteral("frmMenu"));
}

// The design size of the mode: even spacing, no frames outside test mode.
QSize MenuWindow::designSize() const {
    const int buttons =
        m_app.settings().testMode() ? MenuState::kButtonCount : MenuState::kButtonCount - 2;
    const QSize design(kSideMargin * 2 + kButtonWidth, kEndMargin * 2 + buttons * kButtonHeight +
                                                           (buttons - 1) * kButtonGap +
                                                           m_portStatus->sizeHint().height());
    return design.expandedTo(sizeHint());
}

void MenuWindow::refreshPortStatus() {
    const PortWatch& watch = m_app.portWatch();
    const QString text = watch.statusText(m_app.language().languageIndex());
    m_portStatus->setToolTip(watch.reason().isEmpty() ? text : watch.reason());
    m_portStatus->setText(m_portStatus->fontMetrics().elidedText(
        text, Qt::ElideMiddle, m_portStatus->contentsRect().width() - 4));
    m_portStatus->setAccessibleName(text);
}

void MenuWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    refreshPortStatus(); // elided anew to the width
}

void MenuWindow::applyCaptions() {
    const LanguageTables& language = m_app.language();
    const std::array<int, 5> screens{MenuPanel, MenuTitle, MenuBackup, MenuCpuWriter, MenuOption};
    for (int i = 0; i < 5; ++i)
        m_buttons[static_cast<size_t>(i)]->setText(language.text(LangGroup::Menu, screens[i]));
    m_buttons[Button::ButtonExit]->setText(language.text(LangGroup::Menu, MenuExit));
    // The test buttons keep their fixed captions.
    m_buttons[Button::ButtonCommTest]->setText(QStringLiteral("通信テスト"));
    m_buttons[Button::ButtonCommLog]->setText(QStringLiteral("通信ログ"));
    setWindowTitle(language.text(LangGroup::Menu, MenuCaption));
}

void MenuWindow::refreshButtons() {
    for (int button = 0; button < MenuState::kButtonCount; ++button)
        m_buttons[static_cast<size_t>(button)]->setEnabled(m_app.menu().isEnabled(button));
}

QPushButton* MenuWindow::CommandMenu(int button) const {
    return button >= 0 && button < MenuState::kButtonCount ? m_buttons[static_cast<size_t>(button)]
                                                           : nullptr;
}

QFrame* MenuWindow::FrameMenuTest(int frame) const {
    return frame == 0 || frame == 1 ? m_testFrames[static_cast<size_t>(frame)] : nullptr;
}

void MenuWindow::setScreenOpener(int button, ScreenOpener opener) {
    if (button >= 0 && button < MenuState::kButtonCount)
        m_openers[static_cast<size_t>(button)] = std::move(opener);
}

void MenuWindow::setTitleOpener(TitleOpener opener) {
    m_titleOpener = std::move(opener);
}

void MenuWindow::setTitleAutoSaveHook(std::function<void(QWidget*)> hook) {
    m_titleAutoSaveHook = std::move(hook);
}

void MenuWindow::clickButton(int button) {
    if (button >= 0 && button < MenuState::kButtonCount &&
        m_buttons[static_cast<size_t>(button)]->isEnabled())
        onClick(button);
}

void MenuWindow::onClick(int button) {
    using Action = MenuState::ClickAction;
    switch (m_app.menu().click(button)) {
    case Action::OpenScreen:
        openScreen(button);
        break;
    case Action::OpenTitle:
        openTitle(m_app.menu().CurrentTitleSlot);
        break;
    case Action::OpenCpuWriter:
        openCpuWriter();
        break;
    case Action::Refused:
        m_buttons[static_cast<size_t>(button)]->setFocus();
        break;
    case Action::Exit:
        SetEndProc();
        close();
        break;
    case Action::None:
        break;
    }
}

void MenuWindow::openScreen(int button) {
    if (button == Button::ButtonOption && !m_openers[Button::ButtonOption]) {
        openOption();
        return;
    }
    const ScreenOpener& opener = m_openers[static_cast<size_t>(button)];
    QWidget* screen = opener ? opener() : nullptr;
    if (!screen) {
        m_app.menu().screenClosed(button);
        notWiredYet(m_buttons[static_cast<size_t>(button)]->text());
        return;
    }
    screen->setAttribute(Qt::WA_DeleteOnClose);
    connect(screen, &QObject::destroyed, this, [this, button] {
        m_app.menu().screenClosed(button);
        m_buttons[static_cast<size_t>(button)]->setFocus();
    });
    WindowPlacement::place(*screen, m_app.settings());
    screen->show();
}

void MenuWindow::openOption() {
    auto* dialog = new OptionDialog(m_app, this);
    dialog->controller().onAutoSaveChanged = [this] {
        for (int slot = 1; slot <= MenuState::kTitleSlots; ++slot) {
            QWidget* window = m_TitleWindows[static_cast<size_t>(slot)];
            if (window && m_titleAutoSaveHook)
                m_titleAutoSaveHook(window);
        }
    };
    connect(dialog, &QObject::destroyed, this,
            [this] { m_buttons[Button::ButtonOption]->setFocus(); });
    WindowPlacement::place(*dialog, m_app.settings());
    dialog->show();
}

void MenuWindow::openTitle(int slot) {
    QWidget* window = m_titleOpener ? m_titleOpener(slot) : nullptr;
    if (!window) {
        m_app.menu().titleWindowClosed(slot);
        notWiredYet(m_buttons[Button::ButtonTitle]->text());
        return;
    }
    window->setAttribute(Qt::WA_DeleteOnClose);
    m_TitleWindows[static_cast<size_t>(slot)] = window;
    connect(window, &QObject::destroyed, this, [this, slot] {
        m_app.menu().titleWindowClosed(slot);
        m_buttons[Button::ButtonTitle]->setFocus();
    });
    // One place per slot: eight title windows do not all open on one spot.
    WindowPlacement::place(*window, m_app.settings(), QStringLiteral("frmTitleSet%1").arg(slot));
    window->show();
}

void MenuWindow::openCpuWriter() {
    const ScreenOpener& opener = m_openers[Button::ButtonCpuWriter];
    QWidget* writer = opener ? opener() : nullptr;
    if (!writer) {
        m_app.menu().screenClosed(Button::ButtonCpuWriter);
        notWiredYet(m_buttons[Button::ButtonCpuWriter]->text());
        return;
    }
    // Modal without a nested event loop: the menu takes no input while it is open.
    writer->setAttribute(Qt::WA_DeleteOnClose);
    writer->setWindowModality(Qt::ApplicationModal);
    connect(writer, &QObject::destroyed, this, [this] {
        m_app.menu().screenClosed(Button::ButtonCpuWriter);
        m_buttons[Button::ButtonCpuWriter]->setFocus();
    });
    WindowPlacement::place(*writer, m_app.settings());
    writer->show();
}

void MenuWindow::notWiredYet(const QString& caption) {
    auto* box = new QMessageBox(QMessageBox::Information, windowTitle(),
                                toolText(m_app.language(), ToolText::NotAvailableYet).arg(caption),
                                QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("NotAvailableBox"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void MenuWindow::SetEndProc() {
    for (auto& window : m_TitleWindows)
        window.clear();
}

bool MenuWindow::endsProgramWhenActive(const QWidget* window) {
    return window && (window->objectName() == QStringLiteral("frmTransMit") ||
                      window->objectName() == QStringLiteral("frmCpuWriter"));
}

void MenuWindow::closeEvent(QCloseEvent* event) {
    if (m_ending) {
        event->accept();
        return;
    }
    const bool forced = endsProgramWhenActive(QApplication::activeWindow());
    switch (m_app.menu().requestClose(forced)) {
    case MenuState::CloseDecision::Cancel:
        event->ignore();
        // Exit was disabled while message 8 showed, which moved the focus away from it.
        m_buttons[Button::ButtonExit]->setFocus();
        return;
    case MenuState::CloseDecision::Close:
        m_app.closePort();
        break;
    case MenuState::CloseDecision::ForceEnd:
        break;
    }
    m_ending = true;
    event->accept();
    QApplication::closeAllWindows();
    QApplication::quit();
}

} // namespace zel::gui
