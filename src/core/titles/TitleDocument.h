#pragma once
// One title window's document: REMOTE No., CAMERA No. and the 302 titles of one camera in
// nine categories. Every category is a list of rows in display order; the text-box categories
// (CAMERA, AUTO PAN) have one row. Rows are addressed either by display position or by their
// title number (1..count), which stays with the title when the POSITION grid is sorted.
#include <QString>
#include <QVector>
#include <array>
#include <functional>

namespace zel {

inline constexpr char16_t kCheckPassedMark[] = u"FFFF";

struct TitleRow {
    QString number;    // number column as shown
    QString title;     // "ID" column
    QString checkMark; // "FFFF": passed or not checked yet; empty: failed the last check
    QString numberKey; // hidden number key, the row's own number again
    bool failedCheck() const { return checkMark.isEmpty(); }
    int numberValue() const { return numberKey.toInt(); }
};

class TitleDocument {
public:
    TitleDocument(); // REMOTE No. and CAMERA No. "1", every category empty

    QString RemoteNo;
    QString CameraNo;
    bool TitleModified = false;

    int rowCount(int category) const;
    // Display position 0..rowCount-1; out-of-range positions are a programming error.
    const TitleRow& row(int category, int position) const;
    TitleRow& row(int category, int position);

    // By title number 1..count (1 for the text-box categories); an unknown number reads as
    // the empty title and is not written.
    QString title(int category, int number) const;
    void setTitle(int category, int number, const QString& title);
    int positionOfNumber(int category, int number) const; // -1 when unknown

    // Rebuilds every category / one category as new: number, empty title, "FFFF", number.
    void ClearAllTitles();
    void ClearCategory(int category);

    // Sets the modified mark and tells the window (which disables "UPLOAD").
    void MarkModified();
    std::function<void()> onModified;

    // Back into number order (ascending number key).
    void restoreNumberOrder(int category);
    bool isInNumberOrder(int category) const;
    // Sort: ascending on the check mark, then the number key: failed titles first, each group
    // in number order. Rows keep their number and check mark.
    void sortByCheckMark(int category);

private:
    std::array<QVector<TitleRow>, 9> m_rows;
};

} // namespace zel
