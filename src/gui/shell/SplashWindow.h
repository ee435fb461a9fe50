#pragma once
// The start form frmFirst: title, notice and version; `TimerFirst` ends it after 3000 ms.
#include <QTimer>
#include <QWidget>

namespace zel {
class LanguageTables;
}

namespace zel::gui {

class SplashWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kShowMs = 3000;
    static constexpr int kMinWidth = 460;

    explicit SplashWindow(const LanguageTables& language, QWidget* parent = nullptr);

    // Shows the form and starts `TimerFirst`.
    void start();
    QTimer& TimerFirst() { return m_timerFirst; }

signals:
    // `TimerFirst` fired and the form closed: the menu comes next.
    void finished();

private:
    void onTimerFirst();

    QTimer m_timerFirst;
};

} // namespace zel::gui
