#include "link/TransferDialogModel.h"
#include "MemoryLink.h"
#include "link/LinkClient.h"
#include "shell/LanguageTables.h"

#include <gtest/gtest.h>

using namespace zel;
using namespace zel::test;

namespace {
struct ClosingClient : LinkClient {
    void replyComplete() override {}
    void transferDialogClosed() override {
        ++closed;
        if (model)
            model->close(); // a transfer that ends by closing its dialog again
    }
    TransferDialogModel* model = nullptr;
    int closed = 0;
};

class TransferDialogModelTest : public ::testing::Test, protected MemoryLink {
protected:
    LanguageTables language;
    TransferDialogModel model{engine};
};
} // namespace

TEST_F(TransferDialogModelTest, LoadsCaptionsOfTheCurrentLanguage) {
    int repaints = 0;
    model.onChanged = [&] { ++repaints; };
    model.load(language);
    const auto& s = model.state();
    EXPECT_EQ(s.caption, u"In transmission"_qs);
    EXPECT_EQ(s.cancelCaption, u"Cancel"_qs);
    EXPECT_EQ(s.closeCaption, u"Close"_qs);
    EXPECT_EQ(s.labels1[0], u"In saving"_qs);
    EXPECT_EQ(s.labels1[1], u"File name"_qs);
    EXPECT_EQ(s.labels1[2], u"Save as"_qs);
    EXPECT_EQ(s.labels2[0], u"Save is completed."_qs);
    EXPECT_EQ(s.labels2[2], u"Save as"_qs);
    EXPECT_EQ(s.visibleFrame, 0);
    EXPECT_TRUE(model.isOpen());
    EXPECT_EQ(repaints, 1);

    language.setLanguageIndex(1);
    model.load(language);
    EXPECT_EQ(model.state().caption, u"転送中"_qs);
    EXPECT_EQ(model.state().labels2[0], u"保存しました"_qs);
}

TEST_F(TransferDialogModelTest, CloseRunsTheUnloadRuleOnce) {
    ClosingClient client;
    client.model = &model;
    int closedCalls = 0;
    model.onClosed = [&] { ++closedCalls; };
    model.load(language);
    engine.claim(&client);
    engine.armRetry(ScreenBackup);

    model.close();
    model.close();
    EXPECT_EQ(client.closed, 1);
    EXPECT_EQ(closedCalls, 1);
    EXPECT_FALSE(model.isOpen());
    EXPECT_FALSE(timerReTry.isActive());
    EXPECT_EQ(engine.state().ScreenCode, ScreenIdle);
}
