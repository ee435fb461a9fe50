#pragma once
// The CPU writer screen frmCpuWriter: CPU TYPE, FILE NAME with OPEN, WRITE, the File and
// Write menus, the progress bar, and the elapsed time with an estimate of the time left
// during a write. The write itself runs in FlashWriter on the screen's own port; this
// window only passes the choices on and shows the writer's state. While a write runs it
// refuses to close (message 26) and the program refuses to end.
#include "cpuwriter/FlashWriteClock.h"

#include <QElapsedTimer>
#include <QWidget>
#include <memory>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QProgressBar;
class QPushButton;
class QTimer;

namespace zel {
class Application;
class SerialFlashWriter;
class FlashWriter;
} // namespace zel

namespace zel::gui {

class CpuWriterWindow : public QWidget {
    Q_OBJECT
public:
    explicit CpuWriterWindow(Application& app, QWidget* parent = nullptr);
    ~CpuWriterWindow() override;

    QComboBox* ComboCpuType() const { return m_comboCpuType; }
    QLineEdit* TextCpuFile() const { return m_textCpuFile; }
    QPushButton* CommandCpuFile() const { return m_commandCpuFile; }
    QPushButton* CommandCpuWriter() const { return m_commandCpuWriter; }
    QProgressBar* ProgressBarCpuWriter() const { return m_progressBar; }
    QLabel* LabelCpuTime() const { return m_labelTime; }
    QMenu* mnuFile() const { return m_mnuFile; }
    QMenu* mnuWrite() const { return m_mnuWrite; }
    QAction* mnuCpuWrite() const { return m_mnuCpuWrite; }
    FlashWriter& writer();

    // Where the open dialog leads once a file is chosen.
    void chooseFile(const QString& path);
    // The write command (WRITE or "Write Enable").
    void startWrite();

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildMenus(QMenuBar* bar);
    void buildLayout(QMenuBar* bar);
    void applyCaptions();
    void connectControls();
    void onOpenClicked();
    void refresh();
    void refreshTime();

    Application& m_app;
    std::unique_ptr<SerialFlashWriter> m_line;
    FlashWriteClock m_clock;
    QElapsedTimer m_elapsed;
    QTimer* m_timeTicker = nullptr;
    QLabel* m_labelCpuType = nullptr;
    QLabel* m_labelCpuFile = nullptr;
    QLabel* m_labelTime = nullptr;
    QComboBox* m_comboCpuType = nullptr;
    QLineEdit* m_textCpuFile = nullptr;
    QPushButton* m_commandCpuFile = nullptr;
    QPushButton* m_commandCpuWriter = nullptr;
    QProgressBar* m_progressBar = nullptr;
    QMenu* m_mnuFile = nullptr;
    QMenu* m_mnuWrite = nullptr;
    QAction* m_mnuOpen = nullptr;
    QAction* m_mnuClose = nullptr;
    QAction* m_mnuEnd = nullptr;
    QAction* m_mnuCpuWrite = nullptr;
};

} // namespace zel::gui
