#pragma once
// The serial ports the system has now, shown beside the COM1..COM4 choice of the settings
// dialog: the device the chosen COMn stands for is selected; choosing another one says so
// through `deviceChosen`. A port another program holds is marked; "Refresh" asks again.
// Below the list, a field takes a network port (tcp://HOST:PORT, rfc2217://HOST:PORT); "Use"
// chooses it when the name is well formed and says what is wrong otherwise.
#include <QGroupBox>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace zel {
class LanguageTables;
class PortSource;
} // namespace zel

namespace zel::gui {

class DetectedPortList : public QGroupBox {
    Q_OBJECT
public:
    DetectedPortList(const PortSource& source, const LanguageTables& language,
                     QWidget* parent = nullptr);

    // Lists the ports again and selects `currentDevice` (listed as not detected when the
    // system does not report it).
    void showFor(const QString& currentDevice);
    QString selectedDevice() const;

    QListWidget* list() const { return m_list; }
    QPushButton* refreshButton() const { return m_refresh; }
    QLineEdit* networkField() const { return m_networkField; }
    QPushButton* useNetworkButton() const { return m_useNetwork; }
    // Why the typed network port cannot be used (hidden while there is nothing to say).
    QLabel* networkProblem() const { return m_networkProblem; }

signals:
    void deviceChosen(const QString& device);

private:
    void fill();
    void select(const QString& device);
    QLayout* makeNetworkRow(const LanguageTables& language);
    void useNetworkPort();

    const PortSource& m_source;
    const LanguageTables& m_language;
    QListWidget* m_list = nullptr;
    QPushButton* m_refresh = nullptr;
    QLineEdit* m_networkField = nullptr;
    QPushButton* m_useNetwork = nullptr;
    QLabel* m_networkProblem = nullptr;
    QString m_currentDevice;
    bool m_filling = false;
};

} // namespace zel::gui
