#include "MenuWindow.h"

#include "OptionDialog.h"
#include "link/PortWatch.h"
#include "shell/Application.h"
#include "shell/LanguageTables.h"
#include "shell/MenuState.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

namespace zel::gui {

namespace {

constexpr int px(int twips) {
    return twips / MenuWindow::kTwipsPerPixel;
}

// Design layout, in twips.
constexpr int kButtonWidth = 3855;
constexpr int kButtonHeight = 615;
constexpr int kButtonLeft = 480;
constexpr int kFrameHeight = 855;
constexpr int kButtonInFrameTop = 120;
constexpr int kFormWidth = kButtonLeft * 2 + kButtonWidth;
constexpr int kFormHeight = 6975;
// Tops of buttons 0..7 (buttons 5 and 6 inside their frames) and of the two frames.
constexpr std::array<int, 8> kButtonTops{240, 1080, 1920, 3600, 5280, 120, 120, 6120};
constexpr std::array<int, 2> kFrameTops{2640, 4320};

using Button = MenuState::Button;

} // namespace

MenuWindow::MenuWindow(Application& app, QWidget* parent) : QWidget(parent), m_app(app) {
    setObjectName(QStringLiteral("frmMenu"));
    buildButtons();
    m_portStatus = new QLabel(this);
    m_portStatus->setObjectName(QStringLiteral("LabelPortStatus"));
    m_portStatus->setFrameShape(QFrame::StyledPanel);
    m_portStatus->setIndent(4);
    m_app.menu().onChanged = [this] { refreshButtons(); };
    m_app.portWatch().onChanged = [this] { refreshPortStatus(); };
}

MenuWindow::~MenuWindow() {
    m_app.menu().onChanged = nullptr;
    m_app.portWatch().onChanged = nullptr;
}

void MenuWindow::buildButtons() {
    for (int frame = 0; frame < 2; ++frame) {
        auto* box = new QFrame(this);
        box->setObjectName(QStringLiteral("FrameMenuTest%1").arg(frame));
        box->setGeometry(px(kButtonLeft), px(kFrameTops[static_cast<size_t>(frame)]),
                         px(kButtonWidth), px(kFrameHeight));
        m_testFrames[static_cast<size_t>(frame)] = box;
    }
    // Created in tab order: top to bottom as shown.
    for (int button : {0, 1, 2, 5, 3, 6, 4, 7}) {
        QWidget* owner = this;
        int left = px(kButtonLeft);
        if (button == Button::ButtonCommTest || button == Button::ButtonCommLog) {
            owner = m_testFrames[button == Button::ButtonCommTest ? 0 : 1];
            left = 0;
        }
        auto* push = new QPushButton(owner);
        push->setObjectName(QStringLiteral("CommandMenu%1").arg(button));
        push->setGeometry(left, px(kButtonTops[static_cast<size_t>(button)]), px(kButtonWidth),
                          px(kButtonHeight));
        push->setAutoDefault(true); // Enter presses the focused button
        connect(push, &QPushButton::clicked, this, [this, button] { onClick(button); });
        m_buttons[static_cast<size_t>(button)] = push;
    }
    setFixedSize(px(kFormWidth), px(kFormHeight));
}

void MenuWindow::load() {
    applyCaptions();
    if (!m_app.settings().testMode())
        applyNormalLayout();
    placePortStatus();
    m_app.menu().reset();
    m_app.openPort();
    QApplication::clipboard()->clear();
    refreshButtons();
    refreshPortStatus();
}

// One line across the foot of the form, which grows by its height.
void MenuWindow::placePortStatus() {
    const int lineHeight = m_portStatus->fontMetrics().height() + 6;
    const int top = height();
    m_portStatus->setGeometry(0, top, width(), lineHeight);
    setFixedSize(width(), top + lineHeight);
}

void MenuWindow::refreshPortStatus() {
    const PortWatch& watch = m_app.portWatch();
    const QString text = watch.statusText(m_app.language().languageIndex());
    m_portStatus->setToolTip(watch.reason().isEmpty() ? text : watch.reason());
    m_portStatus->setText(m_portStatus->fontMetrics().elidedText(
        text, Qt::ElideMiddle, m_portStatus->contentsRect().width() - 4));
    m_portStatus->setAccessibleName(text);
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

// Without test mode the two frames go and the buttons close up: 0, 1, 2, 3, 4, 7.
void MenuWindow::applyNormalLayout() {
    int formHeight = px(kFormHeight);
    QPushButton* exit = m_buttons[Button::ButtonExit];
    for (QFrame* frame : m_testFrames) {
        frame->hide();
        formHeight -= frame->height();
        exit->move(exit->x(), exit->y() - frame->height());
    }
    QPushButton* option = m_buttons[Button::ButtonOption];
    QPushButton* cpuWriter = m_buttons[Button::ButtonCpuWriter];
    option->move(option->x(), cpuWriter->y());
    cpuWriter->move(cpuWriter->x(), m_testFrames[0]->y() + m_buttons[Button::ButtonCommTest]->y());
    setFixedSize(width(), formHeight);
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
    placeBesideMenu(*screen);
    screen->show();
}

// A new screen opens beside the menu rather than over it.
void MenuWindow::placeBesideMenu(QWidget& screen) const {
    constexpr int kGap = 12;
    screen.move(frameGeometry().topRight() + QPoint(kGap, 0));
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
    connect(window, &QObject::destroyed, this,
            [this, slot] { m_app.menu().titleWindowClosed(slot); });
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
    writer->show();
}

void MenuWindow::notWiredYet(const QString& caption) {
    auto* box = new QMessageBox(QMessageBox::Information, windowTitle(),
                                caption + QStringLiteral(": this screen is not available yet."),
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
