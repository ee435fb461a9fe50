// Title transfer over a real serial port on a pseudo-terminal against the simulated controller.
#include "CameraControllerSim.h"
#include "FaultRules.h"
#include "PtyLink.h"
#include "shell/LanguageTables.h"
#include "titles/TitleDocument.h"
#include "titles/TitleTransfer.h"
#include "titletable/TitleCategory.h"
#include "titletable/TitleCharTable.h"

#include <QEventLoop>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

using namespace zel;
using zel::sim::FaultKind;

constexpr int kTitleCommand = 0xB1;

class TitleIntegrationTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_line.settings.TimeOutRetry = u"20"_qs;
        m_line.settings.TimeOutWait = u"300"_qs;
        QString error;
        ASSERT_TRUE(m_line.open(&error)) << error.toStdString();
        m_transfer =
            std::make_unique<TitleTransfer>(m_line.engine, m_document, m_table, m_language);
    }
    void TearDown() override {
        m_transfer.reset();
        m_line.engine.CloseCommPort();
    }

    // Runs the started transfer until it ends; nullopt when it hangs.
    std::optional<bool> waitForEnd() {
        QEventLoop loop;
        std::optional<bool> result;
        m_transfer->onFinished = [&](bool completed) {
            result = completed;
            loop.quit();
        };
        QTimer::singleShot(20000, &loop, &QEventLoop::quit);
        loop.exec();
        m_transfer->onFinished = {};
        if (m_transfer->dialog().isOpen())
            m_transfer->dialog().close();
        return result;
    }

    test::PtyLink m_line;
    LanguageTables m_language;
    TitleCharTable m_table{0};
    TitleDocument m_document;
    std::unique_ptr<TitleTransfer> m_transfer;
};

TEST_F(TitleIntegrationTest, AllUploadThenAllDownloadRoundTrips) {
    for (int category = 0; category < kTitleCategoryCount; ++category)
        for (int number = 1; number <= TitleCategoryAt(category).titleCount; ++number)
            m_document.setTitle(category, number, u"T%1-%2"_qs.arg(category).arg(number));
    m_document.setTitle(CategoryPosition, 17, u"{024}\"x"_qs);
    ASSERT_EQ(m_transfer->startAllUpload(), TitleTransfer::AllUploadStart::Sent);
    ASSERT_EQ(waitForEnd(), std::optional<bool>(true));
    EXPECT_EQ(m_line.sim.device().frameCount(kTitleCommand), 302);

    TitleDocument expected = m_document;
    m_document.ClearAllTitles();
    ASSERT_TRUE(m_transfer->startAllDownload());
    ASSERT_EQ(waitForEnd(), std::optional<bool>(true));
    for (int category = 0; category < kTitleCategoryCount; ++category)
        for (int number = 1; number <= TitleCategoryAt(category).titleCount; ++number)
            ASSERT_EQ(m_document.title(category, number), expected.title(category, number));
    EXPECT_EQ(m_line.sink.numbers(), QList<int>{18}); // "No Error" before the upload
}

// Faults on the second alarm title end the download with their messages; BUSY within the
// retries, and the rules behind each message, are pinned in TitleTransferTest.
TEST_F(TitleIntegrationTest, FaultsEndTheDownloadWithTheirMessages) {
    const std::pair<FaultKind, int> cases[] = {{FaultKind::Busy, 16},
                                               {FaultKind::Nack, 3},
                                               {FaultKind::BadChecksum, 16},
                                               {FaultKind::Drop, 2}};
    for (const auto& [kind, message] : cases) {
        m_line.sim.device().faultPlan().clear();
        m_line.sink.clear();
        m_line.sim.device().faultPlan().add(test::faultRule(kind, kTitleCommand, 2, -1));
        ASSERT_TRUE(m_transfer->startDownload(CategoryAlarm));
        EXPECT_EQ(waitForEnd(), std::optional<bool>(false));
        EXPECT_EQ(m_line.sink.numbers(), QList<int>{message});
        EXPECT_EQ(m_line.engine.state().ScreenCode, ScreenIdle);
        EXPECT_TRUE(m_line.engine.isPortOpen()); // recycled after a time-out
        EXPECT_EQ(m_document.title(CategoryAlarm, 2), QString());
    }
}
