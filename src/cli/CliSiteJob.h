#pragma once
// One camera's transfer within a whole-site operation.
#include <QString>
#include <functional>

namespace zel::cli {

class SiteJob {
public:
    virtual ~SiteJob() = default;
    // The camera's file: checked by the output-path rule before the transfer starts.
    virtual QString outputPath() const = 0;
    // Starts the transfer; false when it ended at once (its message shown).
    virtual bool start() = 0;
    // After onFinished: closes the transfer and stores its result. The bytes now in the
    // camera's file, or -1 when the file was not written (an earlier one stays as it was).
    virtual qint64 conclude(bool completed) = 0;
    // Ends a running transfer as its Cancel does.
    virtual void cancel() = 0;
    // Progress of the running transfer: value and maximum.
    std::function<void(int value, int maximum)> onProgress;
    std::function<void(bool completed)> onFinished;
};

} // namespace zel::cli
