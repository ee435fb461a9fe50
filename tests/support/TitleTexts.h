#pragma once
// Several titles of a document as one list, so that one comparison shows every value.
#include "titles/TitleDocument.h"

#include <QStringList>
#include <initializer_list>
#include <utility>

namespace zel::test {

// The titles at `places` (category, number), in the order given.
inline QStringList TitlesAt(const TitleDocument& document,
                            std::initializer_list<std::pair<int, int>> places) {
    QStringList titles;
    for (const auto& [category, number] : places)
        titles << document.title(category, number);
    return titles;
}

} // namespace zel::test
