// Find and replace over the largest texts they walk: Replace All over the 255 POSITION titles
// (with its undo snapshot of every row) and a search through a full log of 3000 frames that
// hits only the last row. Prints microseconds per operation.
#include "common/MessageSink.h"
#include "find/FindState.h"
#include "find/TextFinder.h"
#include "link/CommLogFindTarget.h"
#include "link/CommLogStore.h"
#include "shell/LanguageTables.h"
#include "titles/TitleDocument.h"
#include "titles/TitleEditor.h"
#include "titles/TitleFindTarget.h"
#include "titletable/TitleCategory.h"
#include "titletable/TitleCharTable.h"

#include <QElapsedTimer>
#include <cstdio>

using namespace zel;

namespace {

class QuietSink : public MessageSink {
public:
    int ShowMessage(int, const QString&) override { return ButtonOk; }
};

template <typename Operation> double microsecondsPer(int rounds, Operation operation) {
    QElapsedTimer timer;
    timer.start();
    for (int round = 0; round < rounds; ++round)
        operation(round);
    return double(timer.nsecsElapsed()) / 1000.0 / rounds;
}

} // namespace

int main() {
    QuietSink sink;
    LanguageTables language;
    const TitleCharTable table(0);
    FindState state;
    TextFinder finder(state, sink, language);

    TitleDocument document;
    TitleEditor editor(document, table, language, sink);
    editor.changeTab(CategoryPosition);
    TitleFindTarget titles(editor);
    for (int number = 1; number <= 255; ++number)
        document.setTitle(CategoryPosition, number, QStringLiteral("DOOR%1").arg(number));
    const FindOptions door = FindRulesFor(FindContextTitle).options(QStringLiteral("DOOR"), false);
    const FindOptions gate = FindRulesFor(FindContextTitle).options(QStringLiteral("GATE"), false);
    constexpr int kRounds = 400;
    const double replaceAll = microsecondsPer(kRounds, [&](int round) {
        // Back and forth, so every round replaces all 255 titles.
        if (round % 2 == 0)
            finder.replaceAll(titles, door, QStringLiteral("GATE"));
        else
            finder.replaceAll(titles, gate, QStringLiteral("DOOR"));
    });

    CommLogStore log;
    for (int i = 0; i < CommLogStore::kCapacity; ++i)
        log.Add_MsFlexGrid(QStringLiteral("HOST1:"),
                           QStringLiteral("FE0511%1FFFF").arg(i, 6, 10, QLatin1Char('0')));
    CommLogFindTarget rows(log, [] { return CommLogStore::kCapacity; });
    const FindOptions last = FindRulesFor(FindContextLog).options(QStringLiteral("002999"), false);
    const double logFind = microsecondsPer(kRounds, [&](int) {
        state.FindStartLine = 1;
        finder.find(rows, last);
    });

    std::printf("replace all, 255 titles: %.1f us\n", replaceAll);
    std::printf("find in a 3000-row log, hit on the last row: %.1f us\n", logFind);
    return 0;
}
