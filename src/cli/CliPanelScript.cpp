#include "CliPanelScript.h"

#include "CliArguments.h"

#include "panel/PanelCommands.h"
#include "panel/PositionReply.h"

#include <QHash>
#include <algorithm>
#include <optional>

namespace zel::cli {

using namespace panel;
using B = PanelButton;

namespace {

constexpr int kMaxWaitMs = 3'600'000;
constexpr qsizetype kMaxDigits = 9;

const QHash<QString, int>& moveKeys() {
    static const QHash<QString, int> keys{{QStringLiteral("up-right"), PtzUpRight},
                                          {QStringLiteral("right"), PtzRight},
                                          {QStringLiteral("down-right"), PtzDownRight},
                                          {QStringLiteral("down"), PtzDown},
                                          {QStringLiteral("down-left"), PtzDownLeft},
                                          {QStringLiteral("left"), PtzLeft},
                                          {QStringLiteral("up-left"), PtzUpLeft},
                                          {QStringLiteral("up"), PtzUp},
                                          {QStringLiteral("tele"), PtzTele},
                                          {QStringLiteral("wide"), PtzWide},
                                          {QStringLiteral("far"), PtzFar},
                                          {QStringLiteral("near"), PtzNear},
                                          {QStringLiteral("af"), PtzAf}};
    return keys;
}

const QHash<QString, B>& clickKeys() {
    static const QHash<QString, B> keys = [] {
        QHash<QString, B> map{{QStringLiteral("wdr-reset"), B::WdrReset},
                              {QStringLiteral("wdr-off"), B::WdrOff},
                              {QStringLiteral("wdr-on"), B::WdrOn},
                              {QStringLiteral("bw-reset"), B::BwReset},
                              {QStringLiteral("bw-off"), B::BwOff},
                              {QStringLiteral("bw-on"), B::BwOn},
                              {QStringLiteral("irs-reset"), B::IrsReset},
                              {QStringLiteral("irs-dark"), B::IrsDark},
                              {QStringLiteral("irs-bright"), B::IrsBright},
                              {QStringLiteral("alarm-reset"), B::AlarmReset},
                              {QStringLiteral("alarm-action"), B::AlarmAction},
                              {QStringLiteral("stop"), B::Stop},
                              {QStringLiteral("autop"), B::AutoP},
                              {QStringLiteral("menu"), B::Menu},
                              {QStringLiteral("set"), B::Set},
                              {QStringLiteral("c"), B::Cancel},
                              {QStringLiteral("cam"), B::Cam},
                              {QStringLiteral("pos"), B::Pos},
                              {QStringLiteral("trace"), B::Trace},
                              {QStringLiteral("tour"), B::Tour},
                              {QStringLiteral("rec"), B::TraceRec},
                              {QStringLiteral("recstop"), B::TraceRecStop},
                              {QStringLiteral("trace-clear"), B::TraceClear},
                              {QStringLiteral("position-set"), B::PositionSet},
                              {QStringLiteral("position-clear"), B::PositionClear},
                              {QStringLiteral("turn-l-set"), B::TurnLeftSet},
                              {QStringLiteral("turn-r-set"), B::TurnRightSet},
                              {QStringLiteral("turn-u-set"), B::TurnUpSet},
                              {QStringLiteral("turn-d-set"), B::TurnDownSet},
                              {QStringLiteral("turn-clear"), B::TurnClear},
                              {QStringLiteral("turn-off"), B::TurnOff},
                              {QStringLiteral("turn-on"), B::TurnOn},
                              {QStringLiteral("autopan-r-set"), B::AutoPanRightSet},
                              {QStringLiteral("autopan-l-set"), B::AutoPanLeftSet},
                              {QStringLiteral("autopan-r-cl"), B::AutoPanRightClear},
                              {QStringLiteral("autopan-l-cl"), B::AutoPanLeftClear},
                              {QStringLiteral("go"), B::Go},
                              {QStringLiteral("now"), B::Now}};
        for (int aux = 1; aux <= 5; ++aux) {
            const int off = int(B::Aux1Off) + (aux - 1) * 2;
            map.insert(QStringLiteral("aux%1-off").arg(aux), B(off));
            map.insert(QStringLiteral("aux%1-on").arg(aux), B(off + 1));
        }
        for (int digit = 0; digit <= 9; ++digit)
            map.insert(QString::number(digit), B(int(B::Digit0) + digit));
        return map;
    }();
    return keys;
}

// Virtual-key code of a keyboard key name, or nothing.
std::optional<int> keyboardKey(const QString& name) {
    static const QHash<QString, int> named{{QStringLiteral("left"), KeyLeft},
                                           {QStringLiteral("right"), KeyRight},
                                           {QStringLiteral("up"), KeyUp},
                                           {QStringLiteral("down"), KeyDown},
                                           {QStringLiteral("tab"), KeyTab}};
    if (named.contains(name))
        return named.value(name);
    if (name.size() == 1 && name.at(0).unicode() < 0x80 && name.at(0).isLetterOrNumber())
        return name.at(0).toUpper().unicode();
    return std::nullopt;
}

bool isDigits(const QString& text, qsizetype maxDigits = kMaxDigits) {
    return IsDecimalDigits(text, maxDigits);
}

// A value among `choices`, as its index; -1 when it is none of them.
template <size_t N> int choiceIndex(const std::array<int, N>& choices, const QString& value) {
    if (!isDigits(value))
        return -1;
    for (size_t i = 0; i < N; ++i)
        if (choices[i] == value.toInt())
            return int(i);
    return -1;
}

using Apply = std::function<void(PanelCommands&)>;

class ScriptParser {
public:
    explicit ScriptParser(bool testMode) : m_testMode(testMode) {}

    // The step of one event word; nothing (with `m_error` set) when it is not one.
    std::optional<PanelStep> parse(const QString& event);
    QString error() const { return m_error; }

private:
    std::optional<Apply> eventAction(const QString& word, const QString& value);
    std::optional<Apply> keyAction(const QString& word, const QString& value);
    std::optional<Apply> speedAction(const QString& word, const QString& value);
    std::optional<Apply> testSpeedAction(const QString& word, const QString& value);
    std::optional<Apply> optionAction(const QString& word, const QString& value);
    std::optional<Apply> positionAction(const QString& value);
    std::optional<Apply> fail(const QString& text) {
        m_error = text;
        return std::nullopt;
    }

    bool m_testMode;
    QString m_error;
};

std::optional<PanelStep> ScriptParser::parse(const QString& event) {
    const qsizetype colon = event.indexOf(QLatin1Char(':'));
    if (colon <= 0) {
        m_error = QStringLiteral("unknown event '%1'").arg(event);
        return std::nullopt;
    }
    const QString word = event.left(colon);
    const QString value = event.mid(colon + 1);
    if (word == QStringLiteral("wait")) {
        if (!isDigits(value, 7) || value.toInt() > kMaxWaitMs) {
            m_error = QStringLiteral("wait:MS takes 0..%1 milliseconds").arg(kMaxWaitMs);
            return std::nullopt;
        }
        return PanelStep{value.toInt(), {}};
    }
    const std::optional<Apply> apply = eventAction(word, value);
    if (!apply) {
        if (m_error.isEmpty())
            m_error = QStringLiteral("unknown event '%1'").arg(event);
        return std::nullopt;
    }
    return PanelStep{-1, *apply};
}

std::optional<Apply> ScriptParser::eventAction(const QString& word, const QString& value) {
    for (const auto& action : {&ScriptParser::keyAction, &ScriptParser::speedAction,
                               &ScriptParser::testSpeedAction, &ScriptParser::optionAction}) {
        std::optional<Apply> apply = (this->*action)(word, value);
        if (apply || !m_error.isEmpty())
            return apply;
    }
    if (word == QStringLiteral("position"))
        return positionAction(value);
    return std::nullopt;
}

std::optional<Apply> ScriptParser::keyAction(const QString& word, const QString& value) {
    if (word == QStringLiteral("press") || word == QStringLiteral("release")) {
        if (!moveKeys().contains(value))
            return fail(QStringLiteral("unknown movement key '%1'").arg(value));
        const int code = moveKeys().value(value);
        if (word == QStringLiteral("press"))
            return [code](PanelCommands& panel) { panel.pressMoveKey(code); };
        return [code](PanelCommands& panel) { panel.releaseMoveKey(code); };
    }
    if (word == QStringLiteral("keydown") || word == QStringLiteral("keyup")) {
        const std::optional<int> key = keyboardKey(value);
        if (!key)
            return fail(QStringLiteral("unknown keyboard key '%1'").arg(value));
        if (word == QStringLiteral("keydown"))
            return [key](PanelCommands& panel) { panel.keyPressed(*key); };
        return [key](PanelCommands& panel) { panel.keyReleased(*key); };
    }
    if (word == QStringLiteral("click")) {
        if (!clickKeys().contains(value))
            return fail(QStringLiteral("unknown key '%1' for click:").arg(value));
        const B button = clickKeys().value(value);
        return [button](PanelCommands& panel) { panel.click(button); };
    }
    if (word == QStringLiteral("type")) {
        if (!isDigits(value, 64))
            return fail(QStringLiteral("type: takes decimal digits"));
        return [value](PanelCommands& panel) { panel.typeIntoEntry(value); };
    }
    return std::nullopt;
}

std::optional<Apply> ScriptParser::speedAction(const QString& word, const QString& value) {
    using Choose = void (PanelCommands::*)(int);
    const auto choose = [&](Choose method, int index) -> std::optional<Apply> {
        if (index < 0)
            return fail(QStringLiteral("%1: is not one of the speed choices").arg(word));
        return [method, index](PanelCommands& panel) { (panel.*method)(index); };
    };
    if (word == QStringLiteral("pan-speed"))
        return choose(&PanelCommands::choosePanSpeed, choiceIndex(kPanTiltSpeeds, value));
    if (word == QStringLiteral("tilt-speed"))
        return choose(&PanelCommands::chooseTiltSpeed, choiceIndex(kPanTiltSpeeds, value));
    if (word == QStringLiteral("zoom-speed"))
        return choose(&PanelCommands::chooseZoomSpeed, choiceIndex(kZoomFocusSpeeds, value));
    if (word == QStringLiteral("focus-speed"))
        return choose(&PanelCommands::chooseFocusSpeed, choiceIndex(kZoomFocusSpeeds, value));
    if (word == QStringLiteral("mode")) {
        static const QHash<QString, int> modes{{QStringLiteral("normal"), ModeNormal},
                                               {QStringLiteral("step"), ModeStep},
                                               {QStringLiteral("test"), ModeTest},
                                               {QStringLiteral("accel-off"), ModeAccelOff}};
        if (!modes.contains(value))
            return fail(QStringLiteral("unknown mode '%1'").arg(value));
        const int mode = modes.value(value);
        if ((mode == ModeTest || mode == ModeAccelOff) && !m_testMode)
            return fail(QStringLiteral("mode:%1 needs test mode ([SOFT] Mode=1)").arg(value));
        return [mode](PanelCommands& panel) { panel.chooseSpeedMode(mode); };
    }
    return std::nullopt;
}

std::optional<Apply> ScriptParser::testSpeedAction(const QString& word, const QString& value) {
    static const QHash<QString, int> boxes{{QStringLiteral("test-pan"), TestPan},
                                           {QStringLiteral("test-tilt"), TestTilt},
                                           {QStringLiteral("test-zoom"), TestZoom},
                                           {QStringLiteral("test-focus"), TestFocus}};
    if (!boxes.contains(word))
        return std::nullopt;
    if (!m_testMode)
        return fail(QStringLiteral("%1: needs test mode ([SOFT] Mode=1)").arg(word));
    if (!isDigits(value))
        return fail(QStringLiteral("%1: takes decimal digits").arg(word));
    const int box = boxes.value(word);
    return [box, value](PanelCommands& panel) { panel.setTestSpeedText(box, value); };
}

std::optional<Apply> ScriptParser::optionAction(const QString& word, const QString& value) {
    if (word == QStringLiteral("preset-key")) {
        if (value != QStringLiteral("on") && value != QStringLiteral("off"))
            return fail(QStringLiteral("preset-key: takes on or off"));
        const bool on = value == QStringLiteral("on");
        return [on](PanelCommands& panel) { panel.setPresetKeyActive(on); };
    }
    const bool way = word == QStringLiteral("autopan-way");
    if (!way && word != QStringLiteral("autopan-turn"))
        return std::nullopt;
    const int maximum = way ? 4 : 2;
    if (!isDigits(value, 1) || value.toInt() < 1 || value.toInt() > maximum)
        return fail(QStringLiteral("%1: takes 1..%2").arg(word).arg(maximum));
    const int choice = value.toInt();
    if (way)
        return [choice](PanelCommands& panel) { panel.chooseAutoPanWay(choice); };
    return [choice](PanelCommands& panel) { panel.chooseAutoPanTurn(choice); };
}

std::optional<Apply> ScriptParser::positionAction(const QString& value) {
    const QStringList parts = value.split(QLatin1Char(','));
    if (parts.size() != FieldCount ||
        !std::all_of(parts.begin(), parts.end(), [](const QString& p) { return isDigits(p); }))
        return fail(QStringLiteral("position: takes four numbers P,T,Z,D"));
    return [parts](PanelCommands& panel) {
        for (int box = 0; box < FieldCount; ++box)
            panel.setPositionText(box, parts[box]);
    };
}

} // namespace

PanelScript ParsePanelScript(const QStringList& events, bool testMode) {
    PanelScript script;
    ScriptParser parser(testMode);
    for (const QString& event : events) {
        std::optional<PanelStep> step = parser.parse(event);
        if (!step) {
            script.error = parser.error();
            script.steps.clear();
            return script;
        }
        script.steps.push_back(std::move(*step));
    }
    return script;
}

namespace {

template <typename Map> QString sortedKeys(const Map& map) {
    QStringList keys = map.keys();
    keys.sort();
    return keys.join(QLatin1Char(' '));
}

template <size_t N> QString choiceList(const std::array<int, N>& choices) {
    QStringList texts;
    for (const int choice : choices)
        texts.append(QString::number(choice));
    return texts.join(QLatin1Char(' '));
}

} // namespace

QString PanelEventReference() {
    return QStringLiteral(
               "Events:\n"
               "press:K, release:K: hold and let go of a movement key K: %1.\n"
               "click:NAME: a click on a panel key NAME: %2.\n"
               "keydown:K, keyup:K: a keyboard key K: left right up down tab, or one letter or "
               "digit.\n"
               "type:DIGITS: digits typed into the entry box.\n"
               "wait:MS: let MS milliseconds pass (0 to %3).\n"
               "mode:M: speed mode normal or step (test and accel-off in test mode).\n"
               "pan-speed:V, tilt-speed:V: %4.\n"
               "zoom-speed:V, focus-speed:V: %5.\n"
               "test-pan:V, test-tilt:V, test-zoom:V, test-focus:V: the test speed boxes, in "
               "test mode ([SOFT] Mode=1).\n"
               "preset-key:on|off, autopan-way:1..4, autopan-turn:1..2: the panel's options.\n"
               "position:P,T,Z,D: the four position boxes.")
        .arg(sortedKeys(moveKeys()), sortedKeys(clickKeys()))
        .arg(kMaxWaitMs)
        .arg(choiceList(kPanTiltSpeeds), choiceList(kZoomFocusSpeeds));
}

} // namespace zel::cli
