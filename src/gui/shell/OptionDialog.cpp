#include "OptionDialog.h"

#include "DetectedPortList.h"
#include "link/SystemPortSource.h"
#include "shell/Application.h"
#include "shell/LanguageTables.h"
#include "shell/ToolTexts.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zel::gui {

OptionDialog::OptionDialog(Application& app, QWidget* parent, const PortSource* ports)
    : QDialog(parent), m_app(app), m_controller(app) {
    setObjectName(QStringLiteral("frmOption"));
    setAttribute(Qt::WA_DeleteOnClose);
    const LanguageTables& language = app.language();
    setWindowTitle(language.text(LangGroup::Option, OptionCaption));

    auto* frames = new QHBoxLayout;
    frames->addWidget(makeChoiceFrame(QStringLiteral("ssfPort"),
                                      language.text(LangGroup::Option, OptionLabelPort),
                                      OptionPort1, 1, m_ssoPort, m_portGroup));
    frames->addWidget(makeChoiceFrame(QStringLiteral("ssfRate"),
                                      language.text(LangGroup::Option, OptionLabelRate),
                                      OptionRate0, 0, m_ssoRate, m_rateGroup));
    frames->addWidget(makeChoiceFrame(QStringLiteral("ssfSave"),
                                      language.text(LangGroup::Option, OptionLabelSave),
                                      OptionSave0, 0, m_ssoSave, m_saveGroup));

    m_sscSettei = new QPushButton(language.text(LangGroup::Option, OptionSettei), this);
    m_sscSettei->setObjectName(QStringLiteral("sscSettei"));
    m_sscSettei->setDefault(true);
    m_sscEnd = new QPushButton(language.text(LangGroup::Option, OptionEnd), this);
    m_sscEnd->setObjectName(QStringLiteral("sscEnd"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_sscSettei);
    buttons->addWidget(m_sscEnd);

    buildPortList(ports);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(frames);
    layout->addWidget(m_detectedPorts);
    layout->addWidget(m_overrideNote);
    layout->addLayout(buttons);

    connect(m_portGroup, &QButtonGroup::idClicked, this, [this](int id) {
        m_controller.setPort(id);
        showDevicesOfPort();
    });
    connect(m_rateGroup, &QButtonGroup::idClicked, this,
            [this](int id) { m_controller.setRate(id); });
    connect(m_saveGroup, &QButtonGroup::idClicked, this,
            [this](int id) { m_controller.setAutoSave(id); });
    connect(m_sscSettei, &QPushButton::clicked, this, [this] { m_controller.applySetting(); });
    connect(m_sscEnd, &QPushButton::clicked, this, &QWidget::close);
    showChoices();
}

OptionDialog::~OptionDialog() = default;

void OptionDialog::buildPortList(const PortSource* ports) {
    if (!ports) {
        m_systemPorts = std::make_unique<SystemPortSource>();
        ports = m_systemPorts.get();
    }
    m_detectedPorts = new DetectedPortList(*ports, m_app.language(), this);
    connect(m_detectedPorts, &DetectedPortList::deviceChosen, this, [this](const QString& device) {
        m_controller.chooseDevice(m_controller.port(), device);
    });
    m_overrideNote = new QLabel(this);
    m_overrideNote->setObjectName(QStringLiteral("LabelPortOverride"));
    m_overrideNote->setWordWrap(true);
    const QString device = m_controller.portOverride();
    m_overrideNote->setText(toolText(m_app.language(), ToolText::PortOverride).arg(device));
    m_overrideNote->setVisible(!device.isEmpty());
}

// The detected ports, with the device of the chosen COMn selected.
void OptionDialog::showDevicesOfPort() {
    const int port = m_controller.port();
    // Japanese text takes full-width brackets, as the notes under it do.
    const bool japanese = m_app.language().languageIndex() == 1;
    m_detectedPorts->setTitle(
        toolText(m_app.language(), ToolText::DetectedPorts) +
        (japanese ? QStringLiteral("（COM%1）") : QStringLiteral(" (COM%1)")).arg(port));
    m_detectedPorts->showFor(m_controller.deviceOfPort(port));
}

QWidget* OptionDialog::makeChoiceFrame(const QString& name, const QString& caption, int firstText,
                                       int firstIndex, std::array<QRadioButton*, 4>& options,
                                       QButtonGroup*& group) {
    auto* frame = new QGroupBox(caption, this);
    frame->setObjectName(name);
    auto* column = new QVBoxLayout(frame);
    group = new QButtonGroup(frame);
    for (int i = 0; i < 4; ++i) {
        auto* option =
            new QRadioButton(m_app.language().text(LangGroup::Option, firstText + i), frame);
        option->setObjectName(name + QString::number(firstIndex + i));
        group->addButton(option, firstIndex + i);
        column->addWidget(option);
        options[static_cast<size_t>(i)] = option;
    }
    return frame;
}

void OptionDialog::showChoices() {
    QRadioButton* port = m_ssoPort[static_cast<size_t>(m_controller.port() - 1)];
    port->setChecked(true);
    m_ssoRate[static_cast<size_t>(m_controller.rate())]->setChecked(true);
    m_ssoSave[static_cast<size_t>(m_controller.autoSave())]->setChecked(true);
    port->setFocus(); // the first focus is the ticked port, not the first option
    showDevicesOfPort();
}

void OptionDialog::reject() {
    close();
}

void OptionDialog::closeEvent(QCloseEvent* event) {
    if (!m_closed) {
        m_closed = true;
        m_controller.close();
    }
    event->accept();
}

} // namespace zel::gui
