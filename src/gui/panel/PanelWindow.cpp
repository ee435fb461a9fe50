#include "PanelWindow.h"

#include "PanelKeyRouter.h"
#include "common/NumberRange.h"
#include "panel/PanelCommands.h"
#include "panel/PositionReply.h"
#include "shell/LanguageTables.h"
#include "shell/Settings.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace zel::gui {

using namespace panel;
using B = PanelButton;

namespace {

// Indexes of the panel's caption table.
constexpr int TextCheckPanel = 0;
constexpr int TextGo = 1;
constexpr int TextAlarm0 = 3;
constexpr int TextAutoP = 5;
constexpr int TextAux1 = 6;
constexpr int TextBw0 = 12;
constexpr int TextCam = 15;
constexpr int TextCancel = 16;
constexpr int TextDigit0 = 17;
constexpr int TextAux4 = 27;
constexpr int TextIrs0 = 29;
constexpr int TextMenu = 32;
constexpr int TextPanLimCl = 33;
constexpr int TextPanLimSet = 35;
constexpr int TextPos = 37;
constexpr int TextPosition0 = 38;
constexpr int TextPtzf0 = 40;
constexpr int TextSet = 45;
constexpr int TextStop = 46;
constexpr int TextTour = 47;
constexpr int TextTrace = 48;
constexpr int TextTraceSet0 = 49;
constexpr int TextTurnMemory1 = 52;
constexpr int TextTurnSet0 = 56;
constexpr int TextWdr0 = 59;
constexpr int TextAux5 = 62;
constexpr int TextCaption = 64;
constexpr int TextLabelCntl0 = 65;
constexpr int TextRemoteNo = 77;
constexpr int TextLabelKey0 = 78;
constexpr int TextMinMax0 = 86;
constexpr int TextLabelPanel0 = 94;
constexpr int TextTurnRight = 111;
constexpr int TextWay1 = 113;

enum LabelCntl { CntlAux1, CntlBw = 5, CntlIrs, CntlZoom, CntlFocus, CntlWdr, CntlAlarm, CntlCam };
enum LabelPanel {
    PanelDirect = 4,
    PanelTurnLimit,
    PanelAutoPanLimit,
    PanelTrace,
    PanelPosition,
    PanelScaleEnds
};

// Arrows on the direction keys, by PtzKeyCode 0..7, and their places in the pad.
constexpr std::array<char16_t, 8> kArrows{u'↗', u'→', u'↘', u'↓', u'↙', u'←', u'↖', u'↑'};
constexpr std::array<std::pair<int, int>, 8> kPadPlaces{
    {{0, 2}, {1, 2}, {2, 2}, {2, 1}, {2, 0}, {1, 0}, {0, 0}, {0, 1}}};

QLabel* label(const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setAlignment(Qt::AlignCenter);
    return l;
}

void addRow(QGridLayout* grid, int row, QLabel* title, std::initializer_list<QWidget*> widgets) {
    grid->addWidget(title, row, 0);
    int column = 1;
    for (QWidget* widget : widgets)
        grid->addWidget(widget, row, column++);
}

} // namespace

PanelWindow::PanelWindow(LinkEngine& engine, LanguageTables& language, Settings& settings,
                         MessageSink& messages, QWidget* parent)
    : QWidget(parent, Qt::Window), m_language(language),
      m_panel(std::make_unique<PanelCommands>(
          engine, language, messages,
          PanelCommands::Timers{m_pauseTimer, m_keyDownTimer, m_textCtrlTimer})),
      m_testMode(settings.testMode()) {
    setObjectName(QStringLiteral("frmControl"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(caption(TextCaption));

    auto* content = new QWidget;
    auto* main = new QVBoxLayout(content);
    main->addWidget(buildAddressRow());
    auto* keys = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(buildDirectionPad(0));
    left->addWidget(buildLensKeys());
    left->addWidget(buildTestPanel());
    left->addStretch();
    keys->addLayout(left);
    keys->addWidget(buildKeypad());
    keys->addWidget(buildFunctionKeys());
    keys->addWidget(buildMemoryKeys());
    main->addLayout(keys);
    auto* lower = new QHBoxLayout;
    lower->addWidget(buildSpeedBlock());
    lower->addWidget(buildPositionBlock());
    main->addLayout(lower);
    main->addStretch(1);

    // Scrolls where the screen is smaller than the panel (large scaling).
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(content);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);
    // As large as the panel, within the screen; the scroll area takes the rest. Once shown,
    // the controls know their real sizes: the panel shrinks to them, leaving no band below
    // (unless it reopened at the size it was closed at).
    const auto fitContent = [this, content] {
        QSize size = content->sizeHint().grownBy(QMargins(0, 0, 4, 4));
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            size = size.boundedTo(screen->availableSize() - QSize(16, 48));
        resize(size);
    };
    fitContent();
    QTimer::singleShot(0, this, [this, fitContent, first = size()] {
        if (size() == first)
            fitContent();
    });

    connectPanel();
    connectBoxes();
    m_router = new PanelKeyRouter(*this, *m_textCtrl, *m_panel);
    m_panel->load(settings.timeOutDspMs());
    m_textCtrl->setFocus();
}

PanelWindow::~PanelWindow() {
    delete m_router;
    m_panel->unload();
}

QString PanelWindow::caption(int index) const {
    return m_language.text(LangGroup::Panel, index);
}

QToolButton* PanelWindow::CommandKey(int set, int index) const {
    return m_commandKey[size_t(set)][size_t(index)];
}

QToolButton* PanelWindow::CommandPTZF(int index) const {
    return m_commandPtzf[size_t(index)];
}

QToolButton* PanelWindow::button(B key) const {
    for (const auto& [button, widget] : m_functionKeys)
        if (button == key)
            return widget;
    return nullptr;
}

QRadioButton* PanelWindow::OptionKey(int group, int index) const {
    return qobject_cast<QRadioButton*>(m_modeGroups[size_t(group)]->button(index));
}

// ---- Controls -----------------------------------------------------------------------------

// Keys take the focus by keyboard only, so a click leaves it in the entry box.
// Compact keys that fill their cell, as on a remote controller.
QToolButton* PanelWindow::key(const QString& name, int captionIndex, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setText(captionIndex >= 0 ? caption(captionIndex) : QString());
    button->setObjectName(name);
    button->setFocusPolicy(Qt::TabFocus);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    button->installEventFilter(this);
    return button;
}

QToolButton* PanelWindow::functionKey(B which, int captionIndex, QWidget* parent) {
    QToolButton* button = key(QStringLiteral("Key%1").arg(int(which)), captionIndex, parent);
    m_functionKeys.emplace_back(which, button);
    connect(button, &QToolButton::clicked, this, [this, which] { m_panel->click(which); });
    return button;
}

QLineEdit* PanelWindow::numberBox(const QString& name, int maxLength, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setMaxLength(maxLength);
    box->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), box));
    box->setAttribute(Qt::WA_InputMethodEnabled, false);
    box->setMaximumWidth(box->fontMetrics().horizontalAdvance(QLatin1Char('0')) * (maxLength + 3));
    box->installEventFilter(this);
    return box;
}

QRadioButton* PanelWindow::option(const QString& text, QButtonGroup* group, int id,
                                  QWidget* parent) {
    auto* radio = new QRadioButton(text, parent);
    // No focus at all (neither Tab nor Ctrl+Tab): arrow keys must never change a speed.
    radio->setFocusPolicy(Qt::NoFocus);
    group->addButton(radio, id);
    return radio;
}

QWidget* PanelWindow::buildAddressRow() {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(caption(TextLabelCntl0 + CntlCam), row));
    m_labelCamNo = new QLabel(row);
    m_labelCamNo->setObjectName(QStringLiteral("LabelCamNo"));
    m_labelCamNo->setFrameShape(QFrame::Panel);
    m_labelCamNo->setFrameShadow(QFrame::Sunken);
    m_labelCamNo->setMinimumWidth(
        m_labelCamNo->fontMetrics().horizontalAdvance(QStringLiteral("0000")));
    layout->addWidget(m_labelCamNo);
    layout->addSpacing(12);
    auto* hostLabel = new QLabel(caption(TextRemoteNo), row);
    m_textHostNo = numberBox(QStringLiteral("TextHostNo"), 2, row);
    hostLabel->setBuddy(m_textHostNo);
    layout->addWidget(hostLabel);
    layout->addWidget(m_textHostNo);
    for (const int step : {+1, -1}) {
        auto* spin = new QToolButton(row);
        spin->setArrowType(step > 0 ? Qt::UpArrow : Qt::DownArrow);
        spin->setObjectName(step > 0 ? QStringLiteral("UpDownHostNoUp")
                                     : QStringLiteral("UpDownHostNoDown"));
        spin->setFocusPolicy(Qt::NoFocus);
        spin->setAutoRepeat(true);
        connect(spin, &QToolButton::clicked, this, [this, step] { stepRemoteNo(step); });
        layout->addWidget(spin);
    }
    layout->addStretch();
    m_checkPanel = new QCheckBox(caption(TextCheckPanel), row);
    m_checkPanel->setObjectName(QStringLiteral("CheckPanel"));
    m_checkPanel->setFocusPolicy(Qt::TabFocus);
    connect(m_checkPanel, &QCheckBox::clicked, this,
            [this](bool ticked) { m_panel->setPresetKeyActive(ticked); });
    layout->addWidget(m_checkPanel);
    return row;
}

QWidget* PanelWindow::buildDirectionPad(int set) {
    auto* pad = new QGroupBox;
    auto* grid = new QGridLayout(pad);
    grid->setSpacing(2);
    const QString prefix = set == 0 ? QStringLiteral("CommandKey") : QStringLiteral("CommandKey2");
    for (int code = 0; code < 8; ++code) {
        QToolButton* button = key(prefix + QString::number(code), -1, pad);
        button->setText(QString(QChar(kArrows[size_t(code)])));
        connect(button, &QToolButton::pressed, this, [this, code] { m_panel->pressMoveKey(code); });
        connect(button, &QToolButton::released, this,
                [this, code] { m_panel->releaseMoveKey(code); });
        m_commandKey[size_t(set)][size_t(code)] = button;
        grid->addWidget(button, kPadPlaces[size_t(code)].first, kPadPlaces[size_t(code)].second);
    }
    if (set == 0)
        grid->addWidget(functionKey(B::Stop, TextStop, pad), 1, 1);
    return pad;
}

QGroupBox* PanelWindow::buildLensKeys() {
    auto* box = new QGroupBox;
    auto* grid = new QGridLayout(box);
    const std::array<int, 5> codes{PtzTele, PtzWide, PtzFar, PtzNear, PtzAf};
    for (int i = 0; i < 5; ++i) {
        QToolButton* button = key(QStringLiteral("CommandPTZF%1").arg(i), TextPtzf0 + i, box);
        const int code = codes[size_t(i)];
        connect(button, &QToolButton::pressed, this, [this, code] { m_panel->pressMoveKey(code); });
        connect(button, &QToolButton::released, this,
                [this, code] { m_panel->releaseMoveKey(code); });
        m_commandPtzf[size_t(i)] = button;
    }
    addRow(grid, 0, label(caption(TextLabelCntl0 + CntlZoom), box),
           {m_commandPtzf[0], m_commandPtzf[1]});
    addRow(grid, 1, label(caption(TextLabelCntl0 + CntlFocus), box),
           {m_commandPtzf[2], m_commandPtzf[3], m_commandPtzf[4]});
    return box;
}

QGroupBox* PanelWindow::buildKeypad() {
    auto* box = new QGroupBox;
    auto* grid = new QGridLayout(box);
    grid->setSpacing(2);
    m_textCtrl = new QLineEdit(box);
    m_textCtrl->setObjectName(QStringLiteral("TextCtrl"));
    m_textCtrl->setAlignment(Qt::AlignRight);
    m_textCtrl->setContextMenuPolicy(Qt::NoContextMenu);
    m_textCtrl->setDragEnabled(false);
    m_textCtrl->setAcceptDrops(false);
    m_textCtrl->setAttribute(Qt::WA_InputMethodEnabled, false);
    grid->addWidget(m_textCtrl, 0, 0, 1, 3);
    for (int digit = 0; digit <= 9; ++digit) {
        QToolButton* button = functionKey(B(int(B::Digit0) + digit), TextDigit0 + digit, box);
        if (digit == 0)
            grid->addWidget(button, 4, 1);
        else
            grid->addWidget(button, 1 + (9 - digit) / 3, (digit - 1) % 3);
    }
    grid->addWidget(functionKey(B::Cancel, TextCancel, box), 4, 0);
    grid->addWidget(functionKey(B::Cam, TextCam, box), 4, 2);
    grid->addWidget(functionKey(B::Pos, TextPos, box), 5, 0);
    grid->addWidget(functionKey(B::Tour, TextTour, box), 5, 1);
    grid->addWidget(functionKey(B::Trace, TextTrace, box), 5, 2);
    grid->addWidget(functionKey(B::Menu, TextMenu, box), 6, 0);
    grid->addWidget(functionKey(B::Set, TextSet, box), 6, 1);
    grid->addWidget(functionKey(B::AutoP, TextAutoP, box), 6, 2);
    grid->setRowStretch(7, 1);
    return box;
}

QGroupBox* PanelWindow::buildFunctionKeys() {
    auto* box = new QGroupBox;
    auto* grid = new QGridLayout(box);
    grid->setSpacing(2);
    const std::array<int, 5> auxCaptions{TextAux1, TextAux1 + 2, TextAux1 + 4, TextAux4, TextAux5};
    for (int aux = 0; aux < 5; ++aux) {
        const B off = B(int(B::Aux1Off) + aux * 2);
        addRow(grid, aux, label(caption(TextLabelCntl0 + CntlAux1 + aux), box),
               {functionKey(off, auxCaptions[size_t(aux)], box),
                functionKey(B(int(off) + 1), auxCaptions[size_t(aux)] + 1, box)});
    }
    const auto threeKeys = [&](int row, int cntl, B first, int firstCaption) {
        addRow(grid, row, label(caption(TextLabelCntl0 + cntl), box),
               {functionKey(first, firstCaption, box),
                functionKey(B(int(first) + 1), firstCaption + 1, box),
                functionKey(B(int(first) + 2), firstCaption + 2, box)});
    };
    threeKeys(5, CntlWdr, B::WdrReset, TextWdr0);
    threeKeys(6, CntlBw, B::BwReset, TextBw0);
    threeKeys(7, CntlIrs, B::IrsReset, TextIrs0);
    addRow(grid, 8, label(caption(TextLabelCntl0 + CntlAlarm), box),
           {functionKey(B::AlarmReset, TextAlarm0, box),
            functionKey(B::AlarmAction, TextAlarm0 + 1, box)});
    grid->setRowStretch(9, 1);
    return box;
}

QWidget* PanelWindow::buildMemoryKeys() {
    auto* column = new QWidget;
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    const auto group = [&](int labelPanel, std::initializer_list<std::pair<B, int>> keys,
                           int columns) {
        auto* box = new QGroupBox(caption(TextLabelPanel0 + labelPanel), column);
        auto* grid = new QGridLayout(box);
        grid->setSpacing(2);
        int at = 0;
        for (const auto& [which, captionIndex] : keys) {
            grid->addWidget(functionKey(which, captionIndex, box), at / columns, at % columns);
            ++at;
        }
        layout->addWidget(box);
        return box;
    };
    group(PanelPosition, {{B::PositionSet, TextPosition0}, {B::PositionClear, TextPosition0 + 1}},
          3);
    group(PanelTrace,
          {{B::TraceRec, TextTraceSet0},
           {B::TraceRecStop, TextTraceSet0 + 1},
           {B::TraceClear, TextTraceSet0 + 2}},
          3);
    group(PanelTurnLimit,
          {{B::TurnLeftSet, TextTurnMemory1},
           {B::TurnRightSet, TextTurnMemory1 + 1},
           {B::TurnUpSet, TextTurnMemory1 + 2},
           {B::TurnDownSet, TextTurnMemory1 + 3},
           {B::TurnClear, TextTurnSet0},
           {B::TurnOff, TextTurnSet0 + 1},
           {B::TurnOn, TextTurnSet0 + 2}},
          4);
    QGroupBox* autoPan = group(PanelAutoPanLimit,
                               {{B::AutoPanRightSet, TextPanLimSet},
                                {B::AutoPanLeftSet, TextPanLimSet + 1},
                                {B::AutoPanRightClear, TextPanLimCl},
                                {B::AutoPanLeftClear, TextPanLimCl + 1}},
                               4);
    static_cast<QGridLayout*>(autoPan->layout())->addWidget(buildAutoPanOptions(), 1, 0, 1, 4);
    layout->addStretch();
    return column;
}

// `FramePanel`: the auto-pan choices AUTO P sends while ACTIVE PRESET KEY is ticked.
QWidget* PanelWindow::buildAutoPanOptions() {
    m_framePanel = new QFrame;
    m_framePanel->setObjectName(QStringLiteral("FramePanel"));
    m_framePanel->setFrameShape(QFrame::StyledPanel);
    auto* layout = new QHBoxLayout(m_framePanel);
    m_autoPanWay = new QButtonGroup(this);
    m_autoPanTurn = new QButtonGroup(this);
    for (int way = 1; way <= 4; ++way)
        layout->addWidget(option(caption(TextWay1 + way - 1), m_autoPanWay, way, m_framePanel));
    layout->addSpacing(8);
    for (int turn = 1; turn <= 2; ++turn)
        layout->addWidget(
            option(caption(TextTurnRight + turn - 1), m_autoPanTurn, turn, m_framePanel));
    layout->addStretch();
    connect(m_autoPanWay, &QButtonGroup::idClicked, this,
            [this](int way) { m_panel->chooseAutoPanWay(way); });
    connect(m_autoPanTurn, &QButtonGroup::idClicked, this,
            [this](int turn) { m_panel->chooseAutoPanTurn(turn); });
    return m_framePanel;
}

QGroupBox* PanelWindow::buildSpeedBlock() {
    auto* box = new QGroupBox;
    auto* layout = new QHBoxLayout(box);
    auto* modes = new QVBoxLayout;
    m_modeGroups[0] = new QButtonGroup(this);
    for (int mode = 0; mode < 4; ++mode) {
        QRadioButton* radio = option(caption(TextLabelKey0 + mode), m_modeGroups[0], mode, box);
        radio->setObjectName(QStringLiteral("OptionKey%1").arg(mode));
        radio->setVisible(m_testMode || mode < ModeTest);
        modes->addWidget(radio);
    }
    modes->addStretch();
    connect(m_modeGroups[0], &QButtonGroup::idClicked, this,
            [this](int mode) { m_panel->chooseSpeedMode(mode); });
    layout->addLayout(modes);
    auto* speeds = new QVBoxLayout;
    speeds->addWidget(buildNormalSpeeds());
    speeds->addWidget(buildTestSpeeds());
    speeds->addStretch();
    layout->addLayout(speeds);
    return box;
}

// `FrameKey`(1): the NORMAL-mode speed choices.
QFrame* PanelWindow::buildNormalSpeeds() {
    auto* frame = new QFrame;
    m_frameKey[1] = frame;
    frame->setObjectName(QStringLiteral("FrameKey1"));
    auto* grid = new QGridLayout(frame);
    grid->setContentsMargins(0, 0, 0, 0);
    const auto addChoices = [&](int row, int labelKey, QButtonGroup*& group, const auto& choices,
                                void (PanelCommands::*choose)(int)) {
        group = new QButtonGroup(this);
        grid->addWidget(new QLabel(caption(TextLabelKey0 + labelKey), frame), row, 0);
        for (size_t i = 0; i < choices.size(); ++i)
            grid->addWidget(option(QString::number(choices[i]), group, int(i), frame), row,
                            int(i) + 1);
        connect(group, &QButtonGroup::idClicked, this,
                [this, choose](int index) { (m_panel.get()->*choose)(index); });
    };
    addChoices(0, 7, m_panSpeeds, kPanTiltSpeeds, &PanelCommands::choosePanSpeed);
    addChoices(1, 4, m_tiltSpeeds, kPanTiltSpeeds, &PanelCommands::chooseTiltSpeed);
    addChoices(2, 5, m_zoomSpeeds, kZoomFocusSpeeds, &PanelCommands::chooseZoomSpeed);
    addChoices(3, 6, m_focusSpeeds, kZoomFocusSpeeds, &PanelCommands::chooseFocusSpeed);
    return frame;
}

// `FrameKey`(0): the TEST-mode speed boxes `TextKey`(0..3) with their scroll bars.
QFrame* PanelWindow::buildTestSpeeds() {
    auto* frame = new QFrame;
    m_frameKey[0] = frame;
    frame->setObjectName(QStringLiteral("FrameKey0"));
    auto* grid = new QGridLayout(frame);
    grid->setContentsMargins(0, 0, 0, 0);
    // Rows pan, tilt, zoom, focus: the box index and the speed label of each.
    const std::array<std::pair<int, int>, 4> rows{
        {{TestPan, 7}, {TestTilt, 4}, {TestZoom, 5}, {TestFocus, 6}}};
    for (int row = 0; row < 4; ++row) {
        const int index = rows[size_t(row)].first;
        // `VScrollKey`(0), the tilt speed, stands upright; the others lie.
        const bool tilt = index == TestTilt;
        auto* bar = new QScrollBar(tilt ? Qt::Vertical : Qt::Horizontal, frame);
        bar->setObjectName(QStringLiteral("ScrollKey%1").arg(index));
        bar->setRange(1, kTestSpeedMax[size_t(index)]);
        bar->setFocusPolicy(Qt::NoFocus);
        if (tilt)
            bar->setMinimumHeight(64);
        else
            bar->setMinimumWidth(100);
        m_scrollKey[size_t(index)] = bar;
        m_textKey[size_t(index)] = numberBox(QStringLiteral("TextKey%1").arg(index), 3, frame);
        addRow(grid, row, new QLabel(caption(TextLabelKey0 + rows[size_t(row)].second), frame),
               {new QLabel(caption(TextMinMax0 + 2 * row), frame), bar,
                new QLabel(caption(TextMinMax0 + 2 * row + 1), frame), m_textKey[size_t(index)]});
    }
    return frame;
}

QGroupBox* PanelWindow::buildPositionBlock() {
    auto* box = new QGroupBox(caption(TextLabelPanel0 + PanelDirect));
    auto* grid = new QGridLayout(box);
    for (int i = 0; i < FieldCount; ++i) {
        auto* bar = new QScrollBar(Qt::Horizontal, box);
        bar->setObjectName(QStringLiteral("HScrollPanel%1").arg(i));
        bar->setRange(0, kPositionMax[size_t(i)]);
        bar->setFocusPolicy(Qt::NoFocus);
        bar->setMinimumWidth(100);
        m_scrollPanel[size_t(i)] = bar;
        m_textPanel[size_t(i)] = numberBox(QStringLiteral("TextPanel%1").arg(i), 5, box);
        addRow(grid, i, new QLabel(caption(TextLabelPanel0 + i), box),
               {new QLabel(caption(TextLabelPanel0 + PanelScaleEnds + 2 * i), box), bar,
                new QLabel(caption(TextLabelPanel0 + PanelScaleEnds + 2 * i + 1), box),
                m_textPanel[size_t(i)]});
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(functionKey(B::Go, TextGo, box));
    buttons->addWidget(functionKey(B::Now, TextGo + 1, box));
    grid->addLayout(buttons, FieldCount, 0, 1, 5);
    grid->setRowStretch(FieldCount + 1, 1);
    grid->setColumnStretch(2, 1);
    return box;
}

// `FrameTestPanel`, shown in test mode only: the second direction key set with its own
// speed-mode group, which always shows the same mode as the first.
QFrame* PanelWindow::buildTestPanel() {
    m_frameTestPanel = new QFrame;
    m_frameTestPanel->setObjectName(QStringLiteral("FrameTestPanel"));
    auto* layout = new QGridLayout(m_frameTestPanel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(buildDirectionPad(1), 0, 0);
    m_modeGroups[1] = new QButtonGroup(this);
    for (int mode = 0; mode < 4; ++mode) {
        QRadioButton* radio =
            option(caption(TextLabelKey0 + mode), m_modeGroups[1], mode, m_frameTestPanel);
        radio->setObjectName(QStringLiteral("OptionKey2_%1").arg(mode));
        layout->addWidget(radio, 1 + mode, 0);
    }
    connect(m_modeGroups[1], &QButtonGroup::idClicked, this,
            [this](int mode) { m_panel->chooseSpeedMode(mode); });
    m_frameTestPanel->setVisible(m_testMode);
    return m_frameTestPanel;
}

// ---- Wiring -------------------------------------------------------------------------------

void PanelWindow::connectPanel() {
    m_panel->onFocusEntryBox = [this] { focusEntry(); };
    m_panel->onBoxRefused = [this](PanelBox box, int index) { refuseBox(box, index); };
    m_panel->onStateChanged = [this] { render(); };
    // A report fills the position boxes even where the focus is: GO sends what they show.
    m_panel->onPositionReport = [this] {
        for (size_t i = 0; i < m_textPanel.size(); ++i)
            m_textPanel[i]->setText(m_panel->state().PositionText[i]);
    };
}

void PanelWindow::connectBoxes() {
    connect(m_textHostNo, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_panel->setRemoteNoText(text); });
    for (int i = 0; i < 4; ++i) {
        connect(m_textKey[size_t(i)], &QLineEdit::textEdited, this,
                [this, i](const QString& text) { m_panel->setTestSpeedText(i, text); });
        connect(m_scrollKey[size_t(i)], &QScrollBar::valueChanged, this,
                [this, i](int value) { m_panel->setTestSpeedBar(i, value); });
        connect(m_textPanel[size_t(i)], &QLineEdit::textEdited, this,
                [this, i](const QString& text) { m_panel->setPositionText(i, text); });
        connect(m_scrollPanel[size_t(i)], &QScrollBar::valueChanged, this,
                [this, i](int value) { m_panel->setPositionBar(i, value); });
    }
}

void PanelWindow::focusEntry() {
    if (isVisible())
        m_textCtrl->setFocus(Qt::OtherFocusReason);
}

void PanelWindow::stepRemoteNo(int step) {
    m_textHostNo->setText(QString::number(kRemoteNoRange.stepped(m_textHostNo->text(), step)));
    m_panel->setRemoteNoText(m_textHostNo->text());
}

void PanelWindow::render() {
    const PanelState& s = m_panel->state();
    const EntryBox& entry = m_panel->entry();
    if (m_textCtrl->text() != entry.text())
        m_textCtrl->setText(entry.text());
    if (entry.isSelected())
        m_textCtrl->selectAll();
    else
        m_textCtrl->end(false);
    m_labelCamNo->setText(s.CameraNo);
    if (!m_textHostNo->hasFocus() && m_textHostNo->text() != s.RemoteNo)
        m_textHostNo->setText(s.RemoteNo);
    m_checkPanel->setChecked(s.PresetKeyActive);
    m_framePanel->setVisible(s.PresetKeyActive);
    for (QButtonGroup* group : m_modeGroups)
        if (QAbstractButton* radio = group->button(s.SpeedMode))
            radio->setChecked(true);
    m_frameKey[0]->setVisible(s.SpeedMode == ModeTest);
    m_frameKey[1]->setVisible(s.SpeedMode != ModeTest);
    const auto check = [](QButtonGroup* group, const auto& choices, int value) {
        const auto found = std::find(choices.begin(), choices.end(), value);
        if (QAbstractButton* radio = group->button(int(found - choices.begin())))
            radio->setChecked(true);
    };
    check(m_panSpeeds, kPanTiltSpeeds, s.PanSpeed);
    check(m_tiltSpeeds, kPanTiltSpeeds, s.TiltSpeed);
    check(m_zoomSpeeds, kZoomFocusSpeeds, s.ZoomSpeed);
    check(m_focusSpeeds, kZoomFocusSpeeds, s.FocusSpeed);
    if (QAbstractButton* way = m_autoPanWay->button(s.AutoPanWay))
        way->setChecked(true);
    if (QAbstractButton* turn = m_autoPanTurn->button(s.AutoPanLR))
        turn->setChecked(true);
    for (size_t i = 0; i < 4; ++i) {
        // A box being typed into keeps its text; the panel follows it.
        if (!m_textKey[i]->hasFocus())
            m_textKey[i]->setText(s.TestSpeedText[i]);
        if (!m_textPanel[i]->hasFocus())
            m_textPanel[i]->setText(s.PositionText[i]);
        const QSignalBlocker keyBar(m_scrollKey[i]);
        m_scrollKey[i]->setValue(s.TestSpeedValue[i]);
        const QSignalBlocker panelBar(m_scrollPanel[i]);
        m_scrollPanel[i]->setValue(s.PositionValue[i]);
    }
}

void PanelWindow::refuseBox(PanelBox box, int index) {
    QLineEdit* widget = m_textCtrl;
    if (box == PanelBox::RemoteNo)
        widget = m_textHostNo;
    else if (box == PanelBox::TestSpeed)
        widget = m_textKey[size_t(index)];
    else if (box == PanelBox::Position)
        widget = m_textPanel[size_t(index)];
    m_checkingBox = true; // the message box and the refocus move the focus again
    // After the box has finished losing the focus, which clears its selection.
    QTimer::singleShot(0, widget, [this, widget] {
        widget->setFocus(Qt::OtherFocusReason);
        widget->selectAll();
        m_checkingBox = false;
    });
}

void PanelWindow::boxLeft(QObject* box, Qt::FocusReason reason) {
    // Switching to another window or a popup is not leaving the box.
    if (m_checkingBox || !isVisible() || reason == Qt::ActiveWindowFocusReason ||
        reason == Qt::PopupFocusReason)
        return;
    if (box == m_textHostNo) {
        m_panel->leaveRemoteNo();
        return;
    }
    for (int i = 0; i < 4; ++i) {
        if (box == m_textKey[size_t(i)])
            m_panel->leaveTestSpeed(i);
        if (box == m_textPanel[size_t(i)])
            m_panel->leavePosition(i);
    }
}

bool PanelWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (qobject_cast<QLineEdit*>(watched))
            boxLeft(watched, reason);
        else if (qobject_cast<QToolButton*>(watched) && reason != Qt::ActiveWindowFocusReason &&
                 reason != Qt::PopupFocusReason)
            m_panel->buttonLostFocus();
    }
    return QWidget::eventFilter(watched, event);
}

void PanelWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange) {
        if (isActiveWindow()) {
            // Back from a message box of the panel's own: the focus stays where it was put.
            if (!m_leftForDialog)
                m_panel->activated();
            m_leftForDialog = false;
        } else {
            m_leftForDialog = QApplication::activeModalWidget() != nullptr;
            m_panel->deactivated(); // key-ups now go elsewhere
        }
    }
    QWidget::changeEvent(event);
}

void PanelWindow::closeEvent(QCloseEvent* event) {
    m_panel->unload(); // a movement still running is stopped
    event->accept();
    emit closed();
}

} // namespace zel::gui
