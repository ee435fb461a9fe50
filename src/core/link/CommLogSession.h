#pragma once
// The communication log screen's core: LOG START and LOG STOP on the shared store, the log
// files, and what the screen offers while it records (nothing but LOG STOP: the rows appear
// when it stops). Closing the screen ends a recording; what it recorded stays in the store.
#include <QString>
#include <functional>

namespace zel {

class CommLogStore;
class MessageSink;

class CommLogSession {
public:
    struct Controls {
        bool start = true;  // LOG START
        bool stop = false;  // LOG STOP
        bool files = true;  // the File menu: open, save, export, print
        bool search = true; // the Search menu
        bool recordingNote = false;
    };

    CommLogSession(CommLogStore& store, MessageSink& messages);
    CommLogSession(const CommLogSession&) = delete;
    CommLogSession& operator=(const CommLogSession&) = delete;

    Controls controls() const;
    bool isRecording() const;
    // LOG START empties the store and records; LOG STOP ends the recording.
    void start();
    void stop();
    // The log files, with the file rules' messages; refused while recording.
    bool save(const QString& path);
    bool load(const QString& path);
    // The screen closes: a recording nobody would see going on ends.
    void close();

    CommLogStore& store() { return m_store; }

    // The recording state or the store's contents changed.
    std::function<void()> onChanged;

private:
    void changed();

    CommLogStore& m_store;
    MessageSink& m_messages;
};

} // namespace zel
