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
        m_ports.list = {
            {u"/dev/ttyS0"_qs, u"ttyS0"_qs, {}, {}, false},
            {u"/dev/ttyUSB0"_qs, u"USB-Serial Controller"_qs, u"Prolific"_qs, u"A1B2"_qs, true}};
        m_dialog = std::make_unique<OptionDialog>(m_app, nullptr, &m_ports);
        m_dialog->setAttribute(Qt::WA_DeleteOnClose, false);
    }
    QString iniPath() const { return m_dir.filePath(u"zel.ini"_qs); }
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
    EXPECT_EQ(rows(), (QStringList{u"/dev/ttyS0  ttyS0"_qs,
                                   QStringLiteral("/dev/ttyUSB0  USB-Serial Controller, "
                                                  "Prolific, A1B2  (in use)")}));
    EXPECT_EQ(m_dialog->detectedPorts()->selectedDevice(), u"/dev/ttyUSB0"_qs);
    EXPECT_TRUE(m_dialog->detectedPorts()->title().endsWith(u"(COM2)"_qs));

    // COM1 has no DeviceN: its default device is selected.
    m_dialog->portOption(1)->click();
    EXPECT_EQ(m_dialog->detectedPorts()->selectedDevice(), u"/dev/ttyS0"_qs);
    // COM4's default device is not there now: it is listed as such and selected.
    m_dialog->portOption(4)->click();
    EXPECT_EQ(list()->currentItem()->text(), u"/dev/ttyS3 (not detected now)"_qs);
    EXPECT_TRUE(m_sink.numbers().isEmpty());
}

TEST_F(ShellOptionDialogTest, ChoosingAPortWritesDeviceNOnlyAndRefreshSeesNewPorts) {
    const QByteArray original = "; comment\r\n[RS232C]\r\nComPort=3\r\nRate=3\r\n";
    startWith(original);
    list()->setCurrentRow(1);
    EXPECT_EQ(test::readBytes(iniPath()),
              QByteArray("; comment\r\n[RS232C]\r\nComPort=3\r\nRate=3\r\n"
                         "Device3=/dev/ttyUSB0\r\n"));
    EXPECT_EQ(m_app.settings().portDevice(), u"/dev/ttyUSB0"_qs);

    m_ports.list.append({u"/dev/ttyACM0"_qs, {}, {}, {}, false});
    m_dialog->detectedPorts()->refreshButton()->click();
    EXPECT_EQ(list()->count(), 3);
    EXPECT_EQ(m_dialog->detectedPorts()->selectedDevice(), u"/dev/ttyUSB0"_qs);

    m_ports.list.clear();
    m_dialog->detectedPorts()->refreshButton()->click();
    EXPECT_EQ(rows(),
              (QStringList{u"No serial port found"_qs, u"/dev/ttyUSB0 (not detected now)"_qs}));
}

TEST_F(ShellOptionDialogTest, FirstFocusIsTheTickedPortAndAnOverrideIsNamed) {
    startWith("[RS232C]\nComPort=3\n");
    EXPECT_TRUE(m_dialog->overrideNote()->isHidden());
    m_dialog->show();
    EXPECT_EQ(m_dialog->focusWidget(), m_dialog->portOption(3));

    m_app.settings().PortOverride = u"/dev/pts/9"_qs;
    OptionDialog overridden(m_app, nullptr, &m_ports);
    EXPECT_FALSE(overridden.overrideNote()->isHidden());
    EXPECT_TRUE(overridden.overrideNote()->text().contains(u"/dev/pts/9"_qs));
}

TEST_F(ShellOptionDialogTest, NetworkPortFieldWritesAWellFormedNameOnly) {
    startWith("[RS232C]\r\nComPort=2\r\nDevice1=rfc2217://site-a:4001\r\n");
    gui::DetectedPortList& ports = *m_dialog->detectedPorts();
    EXPECT_TRUE(ports.networkField()->text().isEmpty());

    ports.networkField()->setText(u"tcp://10.0.0.5"_qs);
    ports.useNetworkButton()->click();
    EXPECT_FALSE(ports.networkProblem()->isHidden());
    EXPECT_TRUE(ports.networkProblem()->text().contains(u"port number is missing"_qs));
    EXPECT_EQ(m_app.settings().deviceOfPort(2), u"/dev/ttyS1"_qs);

    ports.networkField()->setText(u" TCP://10.0.0.5:2001 "_qs);
    ports.useNetworkButton()->click();
    EXPECT_TRUE(ports.networkProblem()->isHidden());
    EXPECT_EQ(m_app.settings().deviceOfPort(2), u"tcp://10.0.0.5:2001"_qs);
    EXPECT_TRUE(test::readBytes(iniPath()).contains("Device2=tcp://10.0.0.5:2001\r\n"));
    EXPECT_EQ(list()->currentItem(), nullptr);

    // COM1 stands for a network port: the field shows it, no list row is selected.
    m_dialog->portOption(1)->click();
    EXPECT_EQ(ports.networkField()->text(), u"rfc2217://site-a:4001"_qs);
    EXPECT_EQ(list()->currentItem(), nullptr);
    // A detected port chosen again replaces it.
    list()->setCurrentRow(0);
    EXPECT_EQ(m_app.settings().deviceOfPort(1), u"/dev/ttyS0"_qs);
    EXPECT_TRUE(m_sink.numbers().isEmpty());
}
