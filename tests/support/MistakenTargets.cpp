#include "MistakenTargets.h"

#include "TrfText.h"
#include "common/Cp932.h"

#include <QDir>
#include <QFile>
#include <unistd.h>

namespace zel::test {

QByteArray SendDataFileBytes(bool continuous) {
    const QString text =
        settingLines("1", "1", continuous ? "1" : "0") + rowLines({u"W\t2000\t"_qs});
    return TextToCp932(text).value_or(QByteArray());
}

QString ReadOnlyFolder(const QString& parent) {
    const QString folder = QDir(parent).filePath(u"locked"_qs);
    QDir().mkpath(folder);
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (::access(QFile::encodeName(folder).constData(), W_OK) != 0)
        return folder;
    return u"/proc/self"_qs;
}

} // namespace zel::test
