#pragma once
// Camera lists of the whole-site operations: "1-8,12" is cameras 1 to 8 and 12.
#include <QList>
#include <QString>
#include <optional>

namespace zel {

// Numbers and ranges separated by commas, each camera 1..255; duplicates are dropped and the
// list is in ascending order. std::nullopt with a reason in `why` for anything else.
std::optional<QList<int>> ParseCameraList(const QString& text, QString* why = nullptr);

// True when `text` is written as a list or a range (holds "," or "-"), the form that selects
// the whole-site operations over the single-camera ones.
bool IsCameraListText(const QString& text);

} // namespace zel
