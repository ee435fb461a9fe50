#include "link/TransactionText.h"
#include "common/MessageNumber.h"
#include "link/LinkState.h"

#include <gtest/gtest.h>

using namespace zel;

namespace {

TEST(TransactionTextTest, NamesCameraAndCommandOrBlockInEitherLanguage) {
    LinkState state;
    EXPECT_TRUE(TransactionText(state).isEmpty());
    state.LastSentFrame = QStringLiteral("FE0A1231052A010305FFFF"); // camera 123, command 2A
    EXPECT_EQ(TransactionText(state), QStringLiteral("camera 123, command 2A"));
    state.BlockNo = 37; // within a transfer the block says more than the command
    EXPECT_EQ(TransactionText(state), QStringLiteral("camera 123, block 37"));
    // A backup frame names its own block: the transfer has counted on to the next one.
    state.LastSentFrame = QStringLiteral("FE0A123105C1001977FFFF");
    state.BlockNo = 26;
    EXPECT_EQ(TransactionText(state), QStringLiteral("camera 123, block 25"));
    state.LastSentFrame = QStringLiteral("FE09123105C100FFFF"); // cut short: the count stays
    EXPECT_EQ(TransactionText(state), QStringLiteral("camera 123, block 26"));
    state.BlockNo = 0;
    state.LastSentFrame = QStringLiteral("FE07255099EAFFFF"); // no data bytes
    EXPECT_EQ(TransactionText(state), QStringLiteral("camera 255"));
    state.LastSentFrame = QStringLiteral("FE0"); // cut short: no crash, no command
    EXPECT_EQ(TransactionText(state), QStringLiteral("camera 0"));
    // Japanese names the same exchange.
    state.LastSentFrame = QStringLiteral("FE0A1231052A010305FFFF");
    EXPECT_EQ(TransactionText(state, 1), QStringLiteral("カメラ 123、コマンド 2A"));
    state.LastSentFrame = QStringLiteral("FE0A123105C1001977FFFF");
    EXPECT_EQ(TransactionText(state, 1), QStringLiteral("カメラ 123、ブロック 25"));
}

TEST(TransactionTextTest, OnlyMessagesAboutOneExchange) {
    for (int number :
         {MessageTimeout, MessageNack, MessageBusy, MessageReceiveError, MessageDataTooLarge})
        EXPECT_TRUE(IsLinkMessage(number)) << number;
    for (int number : {MessagePortOpenError, MessageNoSettingFile, MessageCannotSave})
        EXPECT_FALSE(IsLinkMessage(number)) << number;
}

} // namespace
