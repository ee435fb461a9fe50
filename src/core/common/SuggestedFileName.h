#pragma once
// The file name a save dialog proposes: the camera's number for what belongs to one camera
// ("cam001.bin", "cam001.ttl"), the day for a log ("2026-12-06.log").
#include <QDate>
#include <QString>

namespace zel {

// "cam" + the camera number in three digits + "." + `suffix`; "cam.<suffix>" when the number
// is not one (empty or out of 0..255).
QString cameraFileName(const QString& cameraNo, const QString& suffix);
// The date as yyyy-MM-dd + "." + `suffix`.
QString datedFileName(const QDate& date, const QString& suffix);

} // namespace zel
