#include "DetectedPortList.h"

#include "link/NetworkPortName.h"
#include "link/PortListing.h"
#include "link/PortSource.h"
#include "shell/ToolTexts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace zel::gui {

namespace {
constexpr int kDeviceRole = Qt::UserRole;
constexpr int kVisibleRows = 4;
constexpr int kRowPadding = 8;
} // namespace

DetectedPortList::DetectedPortList(const PortSource& source, const LanguageTables& language,
                                   QWidget* parent)
    : QGroupBox(toolText(language, ToolText::DetectedPorts), parent), m_source(source),
      m_language(language) {
    setObjectName(QStringLiteral("DetectedPorts"));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("ListDetectedPorts"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    // A few rows tall; more ports scroll.
    m_list->setFixedHeight(m_list->fontMetrics().lineSpacing() * kVisibleRows +
                           2 * m_list->frameWidth() + kRowPadding);
    m_refresh = new QPushButton(toolText(language, ToolText::RefreshPorts), this);
    m_refresh->setObjectName(QStringLiteral("CommandRefreshPorts"));
    m_refresh->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_refresh);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
    layout->addLayout(makeNetworkRow(language));
    layout->addWidget(m_networkProblem);

    connect(m_refresh, &QPushButton::clicked, this, [this] { showFor(m_currentDevice); });
    connect(m_list, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (m_filling || !item || item->data(kDeviceRole).toString().isEmpty())
            return;
        m_currentDevice = item->data(kDeviceRole).toString();
        emit deviceChosen(m_currentDevice);
    });
}

QLayout* DetectedPortList::makeNetworkRow(const LanguageTables& language) {
    m_networkField = new QLineEdit(this);
    m_networkField->setObjectName(QStringLiteral("TextNetworkPort"));
    m_networkField->setPlaceholderText(QStringLiteral("rfc2217://HOST:PORT, tcp://HOST:PORT"));
    m_useNetwork = new QPushButton(toolText(language, ToolText::UseNetworkPort), this);
    m_useNetwork->setObjectName(QStringLiteral("CommandUseNetworkPort"));
    m_useNetwork->setAutoDefault(false);
    m_networkProblem = new QLabel(this);
    m_networkProblem->setObjectName(QStringLiteral("LabelNetworkProblem"));
    m_networkProblem->setWordWrap(true);
    m_networkProblem->setStyleSheet(QStringLiteral("color: #b00020"));
    m_networkProblem->hide();
    auto* label = new QLabel(toolText(language, ToolText::NetworkPort), this);
    label->setBuddy(m_networkField);
    // Wide enough for a name with a host name and the port number, shown from its start.
    m_networkField->setMinimumWidth(m_networkField->fontMetrics().horizontalAdvance(
        QStringLiteral("rfc2217://serial-server.example:65535  ")));
    auto* row = new QHBoxLayout;
    row->addWidget(m_networkField, 1);
    row->addWidget(m_useNetwork);
    auto* rows = new QVBoxLayout;
    rows->addWidget(label);
    rows->addLayout(row);
    connect(m_useNetwork, &QPushButton::clicked, this, [this] { useNetworkPort(); });
    connect(m_networkField, &QLineEdit::returnPressed, this, [this] { useNetworkPort(); });
    connect(m_networkField, &QLineEdit::textEdited, m_networkProblem, &QWidget::hide);
    return rows;
}

void DetectedPortList::useNetworkPort() {
    QString why;
    const auto name = ParseNetworkPortName(m_networkField->text().trimmed(), &why);
    m_networkProblem->setText(why);
    m_networkProblem->setVisible(!name);
    if (!name)
        return;
    m_networkField->setText(name->text());
    m_filling = true;
    m_list->clearSelection();
    m_list->setCurrentItem(nullptr);
    m_filling = false;
    m_currentDevice = name->text();
    emit deviceChosen(m_currentDevice);
}

void DetectedPortList::showFor(const QString& currentDevice) {
    m_currentDevice = currentDevice;
    m_filling = true;
    fill();
    select(currentDevice);
    m_filling = false;
}

void DetectedPortList::fill() {
    m_list->clear();
    const QList<DetectedPort> ports = m_source.ports();
    for (const DetectedPort& port : ports) {
        auto* item = new QListWidgetItem(
            portDisplayText(port, toolText(m_language, ToolText::PortInUse)), m_list);
        item->setData(kDeviceRole, port.device);
        item->setToolTip(item->text());
    }
    if (ports.isEmpty()) {
        auto* none = new QListWidgetItem(toolText(m_language, ToolText::NoPortsFound), m_list);
        none->setFlags(Qt::NoItemFlags);
    }
}

void DetectedPortList::select(const QString& device) {
    m_networkProblem->hide();
    if (IsNetworkPortName(device)) {
        m_networkField->setText(device);
        m_networkField->setCursorPosition(0);
        return;
    }
    m_networkField->clear();
    for (int row = 0; row < m_list->count(); ++row)
        if (m_list->item(row)->data(kDeviceRole).toString() == device) {
            m_list->setCurrentRow(row);
            return;
        }
    if (device.isEmpty())
        return;
    auto* missing =
        new QListWidgetItem(toolText(m_language, ToolText::DeviceNotDetected).arg(device), m_list);
    missing->setData(kDeviceRole, device);
    m_list->setCurrentItem(missing);
}

QString DetectedPortList::selectedDevice() const {
    const QListWidgetItem* item = m_list->currentItem();
    return item ? item->data(kDeviceRole).toString() : QString();
}

} // namespace zel::gui
