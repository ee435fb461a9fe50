#include "CommLogFilterBar.h"

#include "common/HexText.h"
#include "link/CommandMeaning.h"
#include "link/MeaningJapanese.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <algorithm>

namespace zel::gui {

namespace {

struct Captions {
    const char* direction;
    const char* camera;
    const char* command;
    const char* all;
    const char* sent;
    const char* received;
    const char* exportCsv;
};

const Captions& captionsFor(int languageIndex) {
    // Alt+D, Alt+C, Alt+M and Alt+E reach the choices and the export from the keyboard.
    static const Captions english{"&Direction", "&Camera",  "Co&mmand",   "All",
                                  "Sent",       "Received", "&Export CSV"};
    static const Captions japanese{"方向(&D)", "カメラ(&C)", "コマンド(&M)", "すべて",
                                   "送信",     "受信",       "CSV出力(&E)"};
    return languageIndex == 0 ? english : japanese;
}

QString text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

} // namespace

CommLogFilterBar::CommLogFilterBar(QWidget* parent) : QToolBar(parent) {
    setObjectName(QStringLiteral("ToolBarLogFilter"));
    setMovable(false);
    m_direction = addChoice(m_directionLabel, "ComboDirection");
    m_camera = addChoice(m_cameraLabel, "ComboCamera");
    m_command = addChoice(m_commandLabel, "ComboCommand");
    addSeparator();
    m_export = new QPushButton(this);
    m_export->setObjectName(QStringLiteral("CommandExportCsv"));
    addWidget(m_export);
    connect(m_export, &QPushButton::clicked, this, &CommLogFilterBar::exportRequested);
    setLanguageIndex(0);
}

QComboBox* CommLogFilterBar::addChoice(QLabel*& label, const char* objectName) {
    label = new QLabel(this);
    auto* box = new QComboBox(this);
    box->setObjectName(QString::fromLatin1(objectName));
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    label->setBuddy(box);
    label->setContentsMargins(6, 0, 3, 0);
    addWidget(label);
    addWidget(box);
    connect(box, &QComboBox::currentIndexChanged, this, &CommLogFilterBar::filterChanged);
    return box;
}

void CommLogFilterBar::setLanguageIndex(int languageIndex) {
    m_languageIndex = languageIndex;
    const Captions& captions = captionsFor(languageIndex);
    m_directionLabel->setText(text(captions.direction));
    m_cameraLabel->setText(text(captions.camera));
    m_commandLabel->setText(text(captions.command));
    m_export->setText(text(captions.exportCsv));
    fillDirections();
    QVector<DecodedFrame> none;
    offerChoicesFrom(none);
}

void CommLogFilterBar::fillDirections() {
    const Captions& captions = captionsFor(m_languageIndex);
    const QSignalBlocker blocker(m_direction);
    const int current = std::max(0, m_direction->currentIndex());
    m_direction->clear();
    m_direction->addItem(text(captions.all), int(FrameDirection::Unknown));
    m_direction->addItem(text(captions.sent), int(FrameDirection::Sent));
    m_direction->addItem(text(captions.received), int(FrameDirection::Received));
    m_direction->setCurrentIndex(current);
}

void CommLogFilterBar::offerChoicesFrom(const QVector<DecodedFrame>& frames) {
    QList<int> cameras = m_cameras;
    QList<int> commands = m_commands;
    if (!frames.isEmpty()) { // an emptied grid keeps what was offered
        cameras.clear();
        commands.clear();
    }
    for (const DecodedFrame& frame : frames) {
        if (frame.camera >= 0 && !cameras.contains(frame.camera))
            cameras.append(frame.camera);
        if (frame.command >= 0 && !commands.contains(frame.command))
            commands.append(frame.command);
    }
    std::sort(cameras.begin(), cameras.end());
    std::sort(commands.begin(), commands.end());
    m_cameras = cameras;
    m_commands = commands;
    const QString all = text(captionsFor(m_languageIndex).all);
    const bool cameraMoved =
        refill(*m_camera, all, cameras, [](int camera) { return QString::number(camera); });
    const bool japanese = m_languageIndex == 1;
    const bool commandMoved = refill(*m_command, all, commands, [japanese](int code) {
        const QString name = CommandNameOf(code);
        return ByteToHex(code) + QStringLiteral(" ") + (japanese ? MeaningInJapanese(name) : name);
    });
    if (cameraMoved || commandMoved)
        emit filterChanged();
}

bool CommLogFilterBar::refill(QComboBox& box, const QString& allText, const QList<int>& values,
                              const std::function<QString(int)>& textOf) {
    const QVariant chosen = box.currentData();
    const QSignalBlocker blocker(&box);
    box.clear();
    box.addItem(allText, -1);
    for (const int value : values)
        box.addItem(textOf(value), value);
    box.setCurrentIndex(std::max(0, box.findData(chosen)));
    return chosen.isValid() && box.currentData() != chosen;
}

void CommLogFilterBar::showAll() {
    for (QComboBox* box : {m_direction, m_camera, m_command}) {
        const QSignalBlocker blocker(box);
        box->setCurrentIndex(0);
    }
    emit filterChanged();
}

CommLogFilter CommLogFilterBar::filter() const {
    CommLogFilter filter;
    filter.direction = static_cast<FrameDirection>(m_direction->currentData().toInt());
    filter.camera = m_camera->currentData().toInt();
    filter.command = m_command->currentData().toInt();
    return filter;
}

} // namespace zel::gui
