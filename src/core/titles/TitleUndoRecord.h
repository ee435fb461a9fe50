#pragma once
// One level of undo of a title window: the category and the titles saved before the last
// edit. Titles are kept with their numbers, so an undo puts every text back on its own title
// even when the POSITION rows were sorted or checked (reordered) in between.
#include <QString>
#include <QVector>

namespace zel {

struct TitleUndoRecord {
    int Tab = -1;           // the category; -1: nothing to undo
    int StartRow = 0;       // display position of the first saved row
    int Count = 0;          // number of titles saved
    QVector<int> numbers;   // title number of each saved text
    QStringList UndoBuffer; // the saved texts, in row order
    bool isEmpty() const { return Tab < 0; }
};

} // namespace zel
