#include "TitleDocument.h"

#include "titletable/TitleCategory.h"

#include <algorithm>

namespace zel {

namespace {
bool byNumber(const TitleRow& a, const TitleRow& b) {
    return a.numberValue() < b.numberValue();
}
} // namespace

TitleDocument::TitleDocument() : RemoteNo(QStringLiteral("1")), CameraNo(QStringLiteral("1")) {
    ClearAllTitles();
}

int TitleDocument::rowCount(int category) const {
    return IsTitleCategory(category) ? static_cast<int>(m_rows[size_t(category)].size()) : 0;
}

const TitleRow& TitleDocument::row(int category, int position) const {
    return m_rows.at(size_t(category)).at(position);
}

TitleRow& TitleDocument::row(int category, int position) {
    return m_rows.at(size_t(category))[position];
}

int TitleDocument::positionOfNumber(int category, int number) const {
    if (!IsTitleCategory(category))
        return -1;
    const QVector<TitleRow>& rows = m_rows[size_t(category)];
    // In number order the row sits at number - 1; after a Sort, search.
    if (number >= 1 && number <= rows.size() && rows[number - 1].numberValue() == number)
        return number - 1;
    for (int position = 0; position < rows.size(); ++position)
        if (rows[position].numberValue() == number)
            return position;
    return -1;
}

QString TitleDocument::title(int category, int number) const {
    const int position = positionOfNumber(category, number);
    return position < 0 ? QString() : m_rows[size_t(category)][position].title;
}

void TitleDocument::setTitle(int category, int number, const QString& title) {
    const int position = positionOfNumber(category, number);
    if (position >= 0)
        m_rows[size_t(category)][position].title = title;
}

void TitleDocument::ClearAllTitles() {
    for (int category = 0; category < kTitleCategoryCount; ++category)
        ClearCategory(category);
}

void TitleDocument::ClearCategory(int category) {
    if (!IsTitleCategory(category))
        return;
    const int count = TitleCategoryAt(category).titleCount;
    QVector<TitleRow>& rows = m_rows[size_t(category)];
    rows.clear();
    rows.reserve(count);
    for (int number = 1; number <= count; ++number) {
        const QString text = QString::number(number);
        rows.append({text, QString(), QString::fromUtf16(kCheckPassedMark), text});
    }
}

void TitleDocument::MarkModified() {
    TitleModified = true;
    if (onModified)
        onModified();
}

void TitleDocument::restoreNumberOrder(int category) {
    if (!IsTitleCategory(category))
        return;
    QVector<TitleRow>& rows = m_rows[size_t(category)];
    std::stable_sort(rows.begin(), rows.end(), byNumber);
}

bool TitleDocument::isInNumberOrder(int category) const {
    if (!IsTitleCategory(category))
        return true;
    const QVector<TitleRow>& rows = m_rows[size_t(category)];
    return std::is_sorted(rows.begin(), rows.end(), byNumber);
}

void TitleDocument::sortByCheckMark(int category) {
    if (!IsTitleCategory(category))
        return;
    QVector<TitleRow>& rows = m_rows[size_t(category)];
    std::stable_sort(rows.begin(), rows.end(), [](const TitleRow& a, const TitleRow& b) {
        if (a.checkMark != b.checkMark)
            return a.checkMark < b.checkMark;
        return byNumber(a, b);
    });
}

} // namespace zel
