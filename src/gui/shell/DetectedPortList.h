#pragma once
// The serial ports the system has now, shown beside the COM1..COM4 choice of the settings
// dialog: the device the chosen COMn stands for is selected; choosing another one says so
// through `deviceChosen`. A port another program holds is marked; "Refresh" asks again.
#include <QGroupBox>

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

signals:
    void deviceChosen(const QString& device);

private:
    void fill();
    void select(const QString& device);

    const PortSource& m_source;
    const LanguageTables& m_language;
    QListWidget* m_list = nullptr;
    QPushButton* m_refresh = nullptr;
    QString m_currentDevice;
    bool m_filling = false;
};

} // namespace zel::gui
