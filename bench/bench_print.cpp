// Report layout speed: a full communication log (3000 entries, every tenth a 247-byte frame)
// and a full POSITION grid, gathered and written as PDF into memory. Prints pages, bytes and
// milliseconds; exits 1 when the log takes longer than the target.
#include "ReportRenderer.h"
#include "link/CommLogStore.h"
#include "printing/PrintData.h"
#include "shell/LanguageTables.h"
#include "titles/TitleDocument.h"
#include "titletable/TitleCategory.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPdfWriter>
#include <cstdio>

using namespace zel;

namespace {

constexpr qint64 kLogTargetMs = 10000; // a full log previews within ten seconds

struct Figures {
    int pages = 0;
    qint64 bytes = 0;
    qint64 milliseconds = 0;
};

Figures renderToMemory(const PrintReport& report) {
    QElapsedTimer clock;
    clock.start();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    Figures figures;
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(600);
        ApplyReportPageLayout(writer);
        ReportRenderer renderer(report);
        renderer.render(writer);
        figures.pages = renderer.pageCount();
    }
    figures.bytes = buffer.size();
    figures.milliseconds = clock.elapsed();
    return figures;
}

void show(const char* name, const Figures& figures) {
    std::printf("%-14s %4d pages %9lld bytes %6lld ms\n", name, figures.pages,
                static_cast<long long>(figures.bytes),
                static_cast<long long>(figures.milliseconds));
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    CommLogStore store;
    for (int i = 0; i < CommLogStore::kCapacity; ++i)
        store.Add_MsFlexGrid(QStringLiteral("HOST1:"), i % 10 == 0
                                                           ? QStringLiteral("AB").repeated(247)
                                                           : QStringLiteral("FE080010012038FFFF"));
    const Figures log = renderToMemory(GatherCommLogReport(store));
    show("log 3000", log);

    TitleDocument document;
    for (int number = 1; number <= 255; ++number)
        document.setTitle(CategoryPosition, number, QStringLiteral("位置%1").arg(number));
    const LanguageTables language;
    show("titles 255", renderToMemory(*GatherTitleReport(document, CategoryPosition, language)));
    return log.milliseconds <= kLogTargetMs ? 0 : 1;
}
