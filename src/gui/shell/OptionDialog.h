#pragma once
// The communication settings dialog frmOption: port, bit rate and auto-save interval.
#include "shell/OptionController.h"

#include <QDialog>
#include <array>
#include <memory>

class QButtonGroup;
class QLabel;
class QPushButton;
class QRadioButton;

namespace zel {
class Application;
class PortSource;
} // namespace zel

namespace zel::gui {

class OptionDialog : public QDialog {
    Q_OBJECT
public:
    // `ports` lists the detected serial ports (the system's when null).
    explicit OptionDialog(Application& app, QWidget* parent = nullptr,
                          const PortSource* ports = nullptr);
    ~OptionDialog() override;

    OptionController& controller() { return m_controller; }
    QPushButton* settingButton() const { return m_sscSettei; }
    QPushButton* endButton() const { return m_sscEnd; }
    QRadioButton* portOption(int port) const { return m_ssoPort[static_cast<size_t>(port - 1)]; }
    QRadioButton* rateOption(int rate) const { return m_ssoRate[static_cast<size_t>(rate)]; }
    QRadioButton* saveOption(int save) const { return m_ssoSave[static_cast<size_t>(save)]; }
    class DetectedPortList* detectedPorts() const {
        return m_detectedPorts;
    }
    // The note shown while --port or --simulate overrides the COM port (hidden otherwise).
    QLabel* overrideNote() const { return m_overrideNote; }

    void reject() override; // Escape closes the way the close box does

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* makeChoiceFrame(const QString& name, const QString& caption, int firstText,
                             int firstIndex, std::array<QRadioButton*, 4>& options,
                             QButtonGroup*& group);
    void showChoices();
    void buildPortList(const PortSource* ports);
    void showDevicesOfPort();

    Application& m_app;
    OptionController m_controller;
    std::array<QRadioButton*, 4> m_ssoPort{};
    std::array<QRadioButton*, 4> m_ssoRate{};
    std::array<QRadioButton*, 4> m_ssoSave{};
    QButtonGroup* m_portGroup = nullptr;
    QButtonGroup* m_rateGroup = nullptr;
    QButtonGroup* m_saveGroup = nullptr;
    QPushButton* m_sscSettei = nullptr;
    QPushButton* m_sscEnd = nullptr;
    std::unique_ptr<PortSource> m_systemPorts;
    class DetectedPortList* m_detectedPorts = nullptr;
    QLabel* m_overrideNote = nullptr;
    bool m_closed = false;
};

} // namespace zel::gui
