#include "CommLogSession.h"

#include "CommLogFile.h"
#include "CommLogStore.h"

namespace zel {

CommLogSession::CommLogSession(CommLogStore& store, MessageSink& messages)
    : m_store(store), m_messages(messages) {}

CommLogSession::Controls CommLogSession::controls() const {
    const bool recording = isRecording();
    return {!recording, recording, !recording, !recording, recording};
}

bool CommLogSession::isRecording() const {
    return m_store.isRecording();
}

void CommLogSession::start() {
    m_store.startRecording();
    changed();
}

void CommLogSession::stop() {
    m_store.stopRecording();
    changed();
}

bool CommLogSession::save(const QString& path) {
    return !isRecording() && CommLogFile::save(path, m_store, m_messages);
}

bool CommLogSession::load(const QString& path) {
    if (isRecording())
        return false;
    const bool loaded = CommLogFile::load(path, m_store, m_messages);
    changed();
    return loaded;
}

void CommLogSession::close() {
    if (isRecording())
        stop();
}

void CommLogSession::changed() {
    if (onChanged)
        onChanged();
}

} // namespace zel
