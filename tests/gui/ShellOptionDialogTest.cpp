#include "RecordingSink.h"
#include "TestFiles.h"
#include "link/PortSource.h"
#include "shell/Application.h"
#include "shell/DetectedPortList.h"
#include "shell/OptionDialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zel;
using gui::OptionDialog;

namespace {

class FakePorts : public PortSource {
public:
    QList<DetectedPort> ports() const override { return list; }
    QList<DetectedPort> list;
};

class ShellOptionDialogTest : public ::testing::Test {
protected:
    void startWith(const QByteArray& ini) {
        ASSERT_TRUE(test::writeBytes(iniPath(), ini));
        ASSERT_TRUE(m_app.readSettings(m_dir.path()));
        m_app.start(m_sink);
        m_ports.list = {{QStringLiteral("/dev/ttyS0"), QStringLiteral("ttyS0"), {}, {}, false},
                        {QStringLiteral("/dev/ttyUSB0"), QStringLiteral("USB-Serial Controller"),
                         QStringLiteral("Prolific"), QStringLiteral("A1B2"), true}};
        m_dialog = std::make_unique<OptionDialog>(m_app, nullptr, &m_ports);
        m_dialog->setAttribute(Qt::WA_DeleteOnClose, false);
    }
    QString iniPath() const { return m_dir.filePath(QStringLiteral("zel.ini")); }
    QListWidget* list() const { return m_dialog->detectedPorts()->list(); }
    QStringList rows() const {
        QStringList texts;
        for (int row = 0; row < list()->count(); ++row)
            texts << list()->item(row)->text();
        return texts;
    }

    QTemporaryDir m_dir;
    test::RecordingSink m_sink;
    Application m_app;
    FakePorts m_ports;
    std::unique_ptr<OptionDialog> m_dialog;
};

TEST_F(ShellOptionDialogTest, ListsDetectedPortsWithTheChosenComPortsDeviceSelected) {
    startWith("[RS232C]\nComPort=2\nDevice2=/dev/ttyUSB0\n");
    EXPECT_EQ(rows(), (QStringList{QStringLiteral("/dev/ttyS0  ttyS0"),
                                   QStringLiteral("/dev/ttyUSB0  USB-Serial Controller, "
                                                  "Prolific, A1B2  (in use)")}));
    EXPECT_EQ(m_dialog->detectedPorts()->selectedDevice(), QStringLiteral("/dev/ttyUSB0"));
    EXPECT_TRUE(m_dialog->detectedPorts()->title().endsWith(QStringLiteral("(COM2)")));

    // COM1 has no DeviceN: its default device is selected.
    m_dialog->portOption(1)->click();
    EXPECT_EQ(m_dialog->detectedPorts()->selectedDevice(), QStringLiteral("/dev/ttyS0"));
    // COM4's default device is not there now: it is listed as such and selected.
    m_dialog->portOption(4)->click();
    EXPECT_EQ(list()->currentItem()->text(), QStringLiteral("/dev/ttyS3 (not detected now)"));
    EXPECT_TRUE(m_sink.numbers().isEmpty());
}

TEST_F(ShellOptionDialogTest, ChoosingAPortWritesDeviceNOnlyAndRefreshSeesNewPorts) {
    const QByteArray original = "; comment\r\n[RS232C]\r\nComPort=3\r\nRate=3\r\n";
    startWith(original);
    list()->setCurrentRow(1);
    EXPECT_EQ(test::readBytes(iniPath()),
              QByteArray("; comment\r\n[RS232C]\r\nComPort=3\r\nRate=3\r\n"
                         "Device3=/dev/ttyUSB0\r\n"));
    EXPECT_EQ(m_app.settings().portDevice(), QStringLiteral("/dev/ttyUSB0"));

    m_ports.list.append({QStringLiteral("/dev/ttyACM0"), {}, {}, {}, false});
    m_dialog->detectedPorts()->refreshButton()->click();
    EXPECT_EQ(list()->count(), 3);
    EXPECT_EQ(m_dialog->detectedPorts()->selectedDevice(), QStringLiteral("/dev/ttyUSB0"));

    m_ports.list.clear();
    m_dialog->detectedPorts()->refreshButton()->click();
    EXPECT_EQ(rows(), (QStringList{QStringLiteral("No serial port found"),
                                   QStringLiteral("/dev/ttyUSB0 (not detected now)")}));
}

TEST_F(ShellOptionDialogTest, FirstFocusIsTheTickedPortAndAnOverrideIsNamed) {
    startWith("[RS232C]\nComPort=3\n");
    EXPECT_TRUE(m_dialog->overrideNote()->isHidden());
    m_dialog->show();
    EXPECT_EQ(m_dialog->focusWidget(), m_dialog->portOption(3));

    m_app.settings().PortOverride = QStringLiteral("/dev/pts/9");
    OptionDialog overridden(m_app, nullptr, &m_ports);
    EXPECT_FALSE(overridden.overrideNote()->isHidden());
    EXPECT_TRUE(overridden.overrideNote()->text().contains(QStringLiteral("/dev/pts/9")));
}

TEST_F(ShellOptionDialogTest, NetworkPortFieldWritesAWellFormedNameOnly) {
    startWith("[RS232C]\r\nComPort=2\r\nDevice1=rfc2217://site-a:4001\r\n");
    gui::DetectedPortList& ports = *m_dialog->detectedPorts();
    EXPECT_TRUE(ports.networkField()->text().isEmpty());

    ports.networkField()->setText(QStringLiteral("tcp://10.0.0.5"));
    ports.useNetworkButton()->click();
    EXPECT_FALSE(ports.networkProblem()->isHidden());
    EXPECT_TRUE(ports.networkProblem()->text().contains(QStringLiteral("port number is missing")));
    EXPECT_EQ(m_app.settings().deviceOfPort(2), QStringLiteral("/dev/ttyS1"));

    ports.networkField()->setText(QStringLiteral(" TCP://10.0.0.5:2001 "));
    ports.useNetworkButton()->click();
    EXPECT_TRUE(ports.networkProblem()->isHidden());
    EXPECT_EQ(m_app.settings().deviceOfPort(2), QStringLiteral("tcp://10.0.0.5:2001"));
    EXPECT_TRUE(test::readBytes(iniPath()).contains("Device2=tcp://10.0.0.5:2001\r\n"));
    EXPECT_EQ(list()->currentItem(), nullptr);

    // COM1 stands for a network port: the field shows it, no list row is selected.
    m_dialog->portOption(1)->click();
    EXPECT_EQ(ports.networkField()->text(), QStringLiteral("rfc2217://site-a:4001"));
    EXPECT_EQ(list()->currentItem(), nullptr);
    // A detected port chosen again replaces it.
    list()->setCurrentRow(0);
    EXPECT_EQ(m_app.settings().deviceOfPort(1), QStringLiteral("/dev/ttyS0"));
    EXPECT_TRUE(m_sink.numbers().isEmpty());
}

} // namespace
