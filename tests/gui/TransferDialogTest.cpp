#include "link/TransferDialog.h"
#include "MemoryLink.h"
#include "link/LinkClient.h"
#include "link/TransferDialogModel.h"
#include "shell/LanguageTables.h"

#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <functional>
#include <gtest/gtest.h>

using namespace zel;
using namespace zel::test;

struct BackupLikeClient : LinkClient {
    void replyComplete() override {}
    void transferDialogClosed() override { ++fileClosed; }
    int fileClosed = 0;
};

class TransferDialogTest : public ::testing::Test, protected MemoryLink {
protected:
    TransferDialogTest() {
        model.load(language);
        engine.claim(&client);
        engine.armRetry(ScreenBackup); // a backup waits to send again
        dialog.open();
    }
    template <typename T> T* child(const char* name) {
        return dialog.findChild<T*>(QLatin1String(name));
    }

    LanguageTables language;
    TransferDialogModel model{engine};
    BackupLikeClient client;
    gui::TransferDialog dialog{model};
};

TEST_F(TransferDialogTest, RendersTheModel) {
    const auto frames = [this] {
        return QList<bool>{child<QGroupBox>("frameTransMit_0")->isVisible(),
                           child<QGroupBox>("frameTransMit_1")->isVisible()};
    };
    EXPECT_EQ((QStringList{dialog.windowTitle(), child<QPushButton>("CommandCancel")->text(),
                           child<QLabel>("LabelTransMit1_1")->text()}),
              (QStringList{u"In transmission"_qs, u"Cancel"_qs, u"File name"_qs}));
    EXPECT_EQ(dialog.windowModality(), Qt::WindowModal);
    EXPECT_EQ(frames(), (QList<bool>{true, false}));

    model.state().progressMax = 1000;
    model.state().progressValue = 250;
    model.state().labels1[3] = u"camera.bin"_qs;
    model.changed();
    EXPECT_EQ(child<QProgressBar>("ProgressBarTransMit")->value(), 250);
    EXPECT_EQ(child<QLabel>("LabelTransMit1_3")->text(), u"camera.bin"_qs);

    model.state().visibleFrame = 1;
    model.changed();
    EXPECT_EQ(frames(), (QList<bool>{false, true}));
    EXPECT_EQ(child<QPushButton>("CommandEnd")->text(), u"Close"_qs);
}

TEST_F(TransferDialogTest, ShowsElapsedAndTimeLeftOfThePhaseInTheLanguageLoaded) {
    qint64 now = 5000;
    model.clock = [&now] { return now; };
    const auto times = [this] { return child<QLabel>("LabelTransMitTimes")->text(); };
    const auto show = [this](const QString& phase, int done) {
        model.state().phase = phase;
        model.state().progressMax = 1000;
        model.state().progressValue = done;
        model.changed();
    };
    EXPECT_EQ(times(), QString()) << "nothing before the phase has its total";
    show(u"In DOWNLOAD"_qs, 0);
    EXPECT_EQ(times(), u"0:00 elapsed"_qs);
    now += 10000;
    show(u"In DOWNLOAD"_qs, 250);
    EXPECT_EQ(times(), u"0:10 elapsed, 0:30 left"_qs);

    language.setLanguageIndex(1);
    model.load(language);
    show(u"DOWNLOAD中"_qs, 0);
    now += 4000;
    show(u"DOWNLOAD中"_qs, 500);
    EXPECT_EQ(times(), u"経過 0:04、残り 0:04"_qs);
}

TEST_F(TransferDialogTest, EachWayOutClosesTheModelOnce) {
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"Cancel", [this] { child<QPushButton>("CommandCancel")->click(); }},
        {"close box", [this] { dialog.close(); }},
        {"Escape", [this] { dialog.reject(); }},
        {"transfer ended", [this] { model.close(); }},
    };
    for (const auto& [way, leave] : ways) {
        SCOPED_TRACE(way);
        client.fileClosed = 0;
        model.load(language);
        engine.claim(&client);
        engine.armRetry(ScreenBackup);
        dialog.open();
        leave();
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_FALSE(model.isOpen());
        EXPECT_EQ(engine.state().ScreenCode, ScreenIdle);
        dialog.close();
        EXPECT_EQ(client.fileClosed, 1);
    }
}
