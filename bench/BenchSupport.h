#pragma once
// Shared by the benchmarks: a message sink that counts (and names on stderr) what a run
// showed, and the wire time of a byte count.
#include "backup/BackupTransfer.h"
#include "common/MessageSink.h"
#include "link/LinkEngine.h"
#include "shell/LanguageTables.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <cstdio>

namespace zel::bench {

class CountingSink : public MessageSink {
public:
    int ShowMessage(int number, const QString&) override {
        std::fprintf(stderr, "message %d\n", number);
        ++shown;
        return ButtonOk;
    }
    int shown = 0;
};

// One timed transfer.
struct Run {
    bool completed = false;
    double seconds = 0;
};

// A settings backup on the camera line at 38400 bit/s 8E1: 1000 blocks, each a read request
// and a data reply (an upload: a write request, an ACK, and the read-back of verification).
namespace backupwire {
constexpr int kBitRate = 38400;
constexpr double kBitsPerByte = 11.0; // start, 8 data, even parity, stop
constexpr int kBlocks = 1000;
constexpr int kReadRequestBytes = 11;
constexpr int kDataReplyBytes = 43;
constexpr int kWriteRequestBytes = 43;
constexpr int kAckBytes = 1;
} // namespace backupwire

// One backup download (or upload with verification of `file`) on an open engine, timed
// from the first request to the end.
inline Run timeBackupTransfer(LinkEngine& engine, MessageSink& sink, bool upload,
                              const QString& file) {
    LanguageTables language;
    BackupTransfer transfer(engine, language, sink);
    QEventLoop loop;
    Run run;
    transfer.onFinished = [&](bool completed) {
        run.completed = completed;
        loop.quit();
    };
    QElapsedTimer clock;
    clock.start();
    const bool started = upload ? transfer.startUpload(file) : transfer.startDownload(file);
    if (started)
        loop.exec();
    run.seconds = clock.nsecsElapsed() / 1e9;
    return run;
}

// Seconds `bytes` take on a line of `bitRate` with `bitsPerByte` bits a byte.
inline double wireSeconds(long long bytes, double bitsPerByte, int bitRate) {
    return double(bytes) * bitsPerByte / bitRate;
}

} // namespace zel::bench
