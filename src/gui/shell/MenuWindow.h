#pragma once
// The main menu frmMenu: eight buttons (six outside test mode) that open the screens, the
// screens' open marks (a disabled button is an open screen), and the close rule.
//
// Screens are wired with one line each: setScreenOpener(button, factory) for the single
// screens (the CPU writer opens modal), setTitleOpener(factory) for the title windows. The
// window a factory returns is shown; when it is destroyed its button (or title slot) is
// free again. A button without an opener says so and opens nothing.
#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>

class QFrame;
class QLabel;
class QPushButton;
class QSpacerItem;

namespace zel {
class Application;
}

namespace zel::gui {

class MenuWindow : public QWidget {
    Q_OBJECT
public:
    using ScreenOpener = std::function<QWidget*()>;
    using TitleOpener = std::function<QWidget*(int slot)>;

    explicit MenuWindow(Application& app, QWidget* parent = nullptr);
    ~MenuWindow() override;

    // Menu load: captions, layout of the mode, port opened, clipboard cleared.
    void load();

    void setScreenOpener(int button, ScreenOpener opener);
    void setTitleOpener(TitleOpener opener);
    // Called for every open title window after the auto-save choice was applied (the
    // window's `SetTime_OnOffProc`).
    void setTitleAutoSaveHook(std::function<void(QWidget* titleWindow)> hook);

    // Clicks a button as the user would (the menu's rules apply); for `zel --open NAME`.
    void clickButton(int button);

    QPushButton* CommandMenu(int button) const;
    QFrame* FrameMenuTest(int frame) const;
    // The status line under the buttons: the port's name and state.
    QLabel* portStatusLine() const { return m_portStatus; }

    // Releases the title window references (before the menu closes).
    void SetEndProc();

    // Windows whose being active lets the end go ahead although a screen is open.
    static bool endsProgramWhenActive(const QWidget* window);

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildButtons();
    QPushButton* makeButton(int button, QWidget* owner);
    QSize designSize() const;
    void applyCaptions();
    void refreshPortStatus();
    void refreshButtons();
    void onClick(int button);
    void openScreen(int button);
    void openTitle(int slot);
    void openCpuWriter();
    void openOption();
    void notWiredYet(const QString& caption);

    Application& m_app;
    std::array<QPushButton*, 8> m_buttons{};
    std::array<QFrame*, 2> m_testFrames{};
    std::array<QSpacerItem*, 2> m_frameGaps{}; // the gaps above the frames (owned by the layout)
    QLabel* m_portStatus = nullptr;
    std::array<ScreenOpener, 8> m_openers;
    TitleOpener m_titleOpener;
    std::function<void(QWidget*)> m_titleAutoSaveHook;
    std::array<QPointer<QWidget>, 9> m_TitleWindows;
    bool m_ending = false;
};

} // namespace zel::gui
