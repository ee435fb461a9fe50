#pragma once
// The operation panel frmControl, laid out like the camera's hardware remote controller:
// direction pad and lens keys, the entry box with its keypad, the function-key groups, the
// memory and limit keys, the speed block and the absolute-position block. Every key goes to
// the panel's session, which decides what is sent and what shows; the window renders it. The
// controls are built in PanelWindowLayout.cpp. It deletes itself when closed.
#include "panel/PanelSession.h"

#include <QWidget>
#include <array>
#include <vector>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QFrame;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QToolButton;
class QRadioButton;
class QScrollBar;

namespace zel::panel {
enum class PanelButton;
} // namespace zel::panel

namespace zel::gui {

class NumberBoxGuard;
class PanelKeyRouter;

class PanelWindow : public QWidget {
    Q_OBJECT
public:
    PanelWindow(LinkEngine& engine, LanguageTables& language, Settings& settings,
                MessageSink& messages, QWidget* parent = nullptr);
    ~PanelWindow() override;

    PanelSession& session() { return m_session; }
    QLineEdit* TextCtrl() const { return m_textCtrl; }
    QLineEdit* TextHostNo() const { return m_textHostNo; }
    QLabel* LabelCamNo() const { return m_labelCamNo; }
    // Direction keys 0..7 of set 0 (`CommandKey`) or set 1 (`CommandKey2`).
    QToolButton* CommandKey(int set, int index) const;
    QToolButton* CommandPTZF(int index) const;
    // The key of a function or number key.
    QToolButton* button(panel::PanelButton key) const;
    QRadioButton* OptionKey(int group, int index) const;
    QLineEdit* TextPanel(int index) const { return m_textPanel[size_t(index)]; }
    QLineEdit* TextKey(int index) const { return m_textKey[size_t(index)]; }
    QFrame* FrameKey(int index) const { return m_frameKey[size_t(index)]; }
    QFrame* FrameTestPanel() const { return m_frameTestPanel; }
    QFrame* FramePanel() const { return m_framePanel; }
    QCheckBox* CheckPanel() const { return m_checkPanel; }

signals:
    void closed();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString caption(int index) const;
    QWidget* buildContent();
    QToolButton* key(const QString& name, int captionIndex, QWidget* parent);
    QToolButton* functionKey(panel::PanelButton button, int captionIndex, QWidget* parent);
    QLineEdit* numberBox(const QString& name, int maxLength, QWidget* parent);
    QRadioButton* option(const QString& text, QButtonGroup* group, int id, QWidget* parent);
    QWidget* buildAddressRow();
    QWidget* buildDirectionPad(int set);
    QGroupBox* buildLensKeys();
    QGroupBox* buildKeypad();
    QGroupBox* buildFunctionKeys();
    QWidget* buildMemoryKeys();
    QWidget* buildAutoPanOptions();
    QGroupBox* buildSpeedBlock();
    QFrame* buildNormalSpeeds();
    QFrame* buildTestSpeeds();
    QGroupBox* buildPositionBlock();
    QFrame* buildTestPanel();
    void connectPanel();
    void connectBoxes();
    void render();
    void guardNumberBoxes();
    void refuseBox(PanelBox box, int index);
    void focusEntry();
    void stepRemoteNo(int step);

    LanguageTables& m_language;
    PanelSession m_session;
    PanelKeyRouter* m_router = nullptr;
    NumberBoxGuard* m_numberBoxes = nullptr;
    bool m_leftForDialog = false;

    QLineEdit* m_textCtrl = nullptr;
    QLineEdit* m_textHostNo = nullptr;
    QLabel* m_labelCamNo = nullptr;
    QCheckBox* m_checkPanel = nullptr;
    std::array<std::array<QToolButton*, 8>, 2> m_commandKey{};
    std::array<QToolButton*, 5> m_commandPtzf{};
    std::vector<std::pair<panel::PanelButton, QToolButton*>> m_functionKeys;
    std::array<QButtonGroup*, 2> m_modeGroups{};
    QButtonGroup* m_panSpeeds = nullptr;
    QButtonGroup* m_tiltSpeeds = nullptr;
    QButtonGroup* m_zoomSpeeds = nullptr;
    QButtonGroup* m_focusSpeeds = nullptr;
    QButtonGroup* m_autoPanWay = nullptr;
    QButtonGroup* m_autoPanTurn = nullptr;
    std::array<QLineEdit*, 4> m_textKey{};
    std::array<QScrollBar*, 4> m_scrollKey{};
    std::array<QLineEdit*, 4> m_textPanel{};
    std::array<QScrollBar*, 4> m_scrollPanel{};
    std::array<QFrame*, 2> m_frameKey{};
    QFrame* m_frameTestPanel = nullptr;
    QFrame* m_framePanel = nullptr;
};

} // namespace zel::gui
