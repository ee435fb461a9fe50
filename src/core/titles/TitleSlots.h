#pragma once
// The eight title window slots handed out by the main menu, the file each window is
// associated with, and the CAMERA No. shared by every title window (LastCameraNo).
#include <QString>
#include <array>

namespace zel {

class TitleSlots {
public:
    static constexpr int kSlotCount = 8;

    // Takes the first free slot 1..8; 0 when every slot is taken.
    int acquireSlot();
    // Frees the slot and empties its file name.
    void releaseSlot(int slot);
    bool isTaken(int slot) const;
    bool hasFreeSlot() const;

    // TitleFileNames: the path a slot's window is associated with, empty when none.
    QString TitleFileName(int slot) const;
    void setTitleFileName(int slot, const QString& path);
    // True when `path` (exact comparison) is the file of a slot other than `slot`.
    bool isOpenInOtherSlot(const QString& path, int slot) const;

    // The CAMERA No. the titles being edited belong to; empty after a file open until the
    // file's number is read, or after the camera change prompt.
    QString LastCameraNo = QStringLiteral("1");

private:
    static bool isSlot(int slot) { return slot >= 1 && slot <= kSlotCount; }
    std::array<bool, kSlotCount + 1> m_taken{};
    std::array<QString, kSlotCount + 1> m_fileNames;
};

} // namespace zel
