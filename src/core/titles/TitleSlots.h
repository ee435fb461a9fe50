#pragma once
// What the title windows share: the file each window is associated with, by the slot 1..8
// the main menu handed it (MenuState decides which slots are taken), and the CAMERA No. shared
// by every title window (LastCameraNo).
#include "shell/MenuState.h"

#include <QString>
#include <array>

namespace zel {

class TitleSlots {
public:
    static constexpr int kSlotCount = MenuState::kTitleSlots;

    // TitleFileNames: the path a slot's window is associated with, empty when none (a window
    // that closes empties its slot's name).
    QString TitleFileName(int slot) const;
    void setTitleFileName(int slot, const QString& path);
    // True when `path` (exact comparison) is the file of a slot other than `slot`.
    bool isOpenInOtherSlot(const QString& path, int slot) const;

    // The CAMERA No. the titles being edited belong to; empty after a file open until the
    // file's number is read, or after the camera change prompt.
    QString LastCameraNo = QStringLiteral("1");

private:
    static bool isSlot(int slot) { return slot >= 1 && slot <= kSlotCount; }
    std::array<QString, kSlotCount + 1> m_fileNames;
};

} // namespace zel
