// The settings backup reading whatever the line brings: download, upload and verification,
// with replies, time-outs, BUSY retries and a pulled port in any order.
#include "FuzzLink.h"
#include "TestFiles.h"
#include "backup/BackupTransfer.h"
#include "shell/LanguageTables.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace zel;
using namespace zel::fuzz;

struct Files {
    QTemporaryDir dir;
    QString upload = dir.filePath(u"upload.bin"_qs);
    QString download = dir.filePath(u"download.bin"_qs);
    bool written = test::writeBytes(upload, QByteArray(BackupFile::kImageSize, '\x5A'));
};

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const LanguageTables language;
    static const Files files;
    FuzzedDataProvider input(data, size);
    FuzzLink link;
    BackupTransfer transfer(link.engine, language, link.sink);
    transfer.setVerify(input.ConsumeBool());
    bool completed = false;
    transfer.onFinished = [&completed](bool done) { completed = done; };
    const bool download = input.ConsumeBool();
    QFile::remove(files.download);
    if (download ? !transfer.startDownload(files.download) : !transfer.startUpload(files.upload))
        return 0;
    link.playLine(input, {}, 4096);
    // Only a whole image ever takes the chosen name.
    if (download)
        ZEL_FUZZ_ASSERT(completed ? QFileInfo(files.download).size() == BackupFile::kImageSize
                                  : !QFileInfo::exists(files.download));
    ZEL_FUZZ_ASSERT(QFileInfo(files.upload).size() == BackupFile::kImageSize);
    return 0;
}
