#include "CommTestSession.h"

#include "TestEntryRules.h"
#include "TestFileReader.h"
#include "TestFileWriter.h"
#include "common/MessageNumber.h"
#include "common/MessageSink.h"

namespace zel {

CommTestSession::CommTestSession(LinkEngine& engine, const LanguageTables& language,
                                 MessageSink& messages, std::optional<Timers> timers)
    : m_language(language), m_messages(messages),
      m_test(engine, timers ? timers->interval : m_ownInterval, timers ? timers->pace : m_ownPace,
             messages),
      m_findTarget(m_test.screen()) {
    m_test.onReplyShown = [this](int rowNo) {
        if (onReplyShown)
            onReplyShown(rowNo);
    };
    m_test.onRunChanged = [this] { controlsChanged(); };
}

CommTestControls CommTestSession::controls() const {
    const TestScreen& fields = screen();
    const bool idle = !m_test.isRunning();
    CommTestControls controls;
    controls.address = idle && !fields.freeFormat;
    controls.rowKind = !fields.freeFormat;
    controls.continuous = idle;
    controls.interval = idle && fields.continuous;
    controls.start = idle && fields.continuous;
    controls.stop = !idle || fields.continuous;
    controls.fileMenu = idle;
    for (int rowNo = 1; rowNo <= TestScreen::kRowCount; ++rowNo)
        controls.send[static_cast<size_t>(rowNo - 1)] = m_test.isSendEnabled(rowNo);
    return controls;
}

bool CommTestSession::isBoxInUse(CommTestBox box) const {
    const CommTestControls now = controls();
    return box == CommTestBox::Interval ? now.interval : now.address;
}

void CommTestSession::setRemoteNo(const QString& text) {
    m_test.screen().hostNo = text;
}

void CommTestSession::setCameraNo(const QString& text) {
    m_test.screen().camNo = text;
}

void CommTestSession::setInterval(const QString& text) {
    m_test.screen().interval = text;
}

void CommTestSession::setFreeFormat(bool on) {
    m_test.screen().freeFormat = on;
    controlsChanged();
}

void CommTestSession::setContinuous(bool on) {
    m_test.screen().continuous = on;
    controlsChanged();
}

void CommTestSession::setRowText(int rowNo, const QString& text) {
    m_test.screen().setRowText(rowNo, text);
    controlsChanged();
}

void CommTestSession::setRowValid(int rowNo, bool on) {
    m_test.screen().row(rowNo).valid = on;
    controlsChanged();
}

void CommTestSession::setRowRead(int rowNo, bool on) {
    m_test.screen().row(rowNo).read = on;
}

bool CommTestSession::mayPaste(const QString& text) const {
    return TestEntryRules::checkPaste(m_messages, text);
}

bool CommTestSession::checkBox(CommTestBox box) {
    if (!isBoxInUse(box))
        return true; // free format or a running send: the box is not used
    TestScreen& fields = m_test.screen();
    bool valid = false;
    if (box == CommTestBox::RemoteNo) {
        valid = TestEntryRules::checkRemoteNo(m_messages, m_language, fields.hostNo);
    } else if (box == CommTestBox::CameraNo) {
        valid = TestEntryRules::checkCameraNo(m_messages, m_language, fields.camNo);
    } else if (const auto shown =
                   TestEntryRules::checkInterval(m_messages, m_language, fields.interval)) {
        valid = true;
        if (*shown != fields.interval) {
            fields.interval = *shown;
            screenChanged();
        }
    }
    return valid;
}

bool CommTestSession::checkBoxes(std::initializer_list<CommTestBox> boxes) {
    for (const CommTestBox box : boxes)
        if (!checkBox(box)) {
            if (onBoxRefused)
                onBoxRefused(box);
            return false;
        }
    return true;
}

bool CommTestSession::leaveBox(CommTestBox box) {
    return checkBox(box);
}

bool CommTestSession::start() {
    return checkBoxes({CommTestBox::RemoteNo, CommTestBox::CameraNo, CommTestBox::Interval}) &&
           m_test.CommandStart();
}

void CommTestSession::stop() {
    m_test.CommandStop();
}

bool CommTestSession::send(int rowNo) {
    return checkBoxes({CommTestBox::RemoteNo, CommTestBox::CameraNo}) && m_test.CommandSend(rowNo);
}

bool CommTestSession::mayClose() {
    if (!m_test.isRunning())
        return true;
    m_messages.ShowMessage(MessageContinuousSending);
    return false;
}

void CommTestSession::renew() {
    m_test.Reset_TestScreen();
    screenChanged();
}

bool CommTestSession::load(const QString& path) {
    const auto result = TestFileReader(m_messages, m_language).load(path, m_test.screen());
    screenChanged();
    return result == TestFileReader::Result::Loaded;
}

bool CommTestSession::saveSendData(const QString& path, QString* error) {
    return save(path, false, error);
}

bool CommTestSession::saveResults(const QString& path, QString* error) {
    return save(path, true, error);
}

bool CommTestSession::save(const QString& path, bool results, QString* error) {
    const bool saved = results ? TestFileWriter::saveResults(path, screen(), error)
                               : TestFileWriter::saveSendData(path, screen(), error);
    if (!saved)
        m_messages.ShowMessage(MessageCannotSave);
    return saved;
}

void CommTestSession::controlsChanged() {
    if (onControlsChanged)
        onControlsChanged();
}

void CommTestSession::screenChanged() {
    if (onScreenChanged)
        onScreenChanged();
    controlsChanged();
}

} // namespace zel
