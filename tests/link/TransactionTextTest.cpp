#include "link/TransactionText.h"
#include "common/MessageNumber.h"
#include "link/LinkState.h"

#include <gtest/gtest.h>

using namespace zel;

namespace {

TEST(TransactionTextTest, NamesCameraAndCommandOrBlock) {
    LinkState state;
    EXPECT_TRUE(TransactionText(state).isEmpty());
    state.LastSentFrame = QStringLiteral("FE0A1231052A010305FFFF"); // camera 123, command 2A
    EXPECT_EQ(TransactionText(state), QStringLiteral("camera 123, command 2A"));
    state.BlockNo = 37; // within a transfer the block says more than the command
    EXPECT_EQ(TransactionText(state), QStringLiteral("camera 123, block 37"));
    state.BlockNo = 0;
    state.LastSentFrame = QStringLiteral("FE07255099EAFFFF"); // no data bytes
    EXPECT_EQ(TransactionText(state), QStringLiteral("camera 255"));
    state.LastSentFrame = QStringLiteral("FE0"); // cut short: no crash, no command
    EXPECT_EQ(TransactionText(state), QStringLiteral("camera 0"));
}

TEST(TransactionTextTest, OnlyMessagesAboutOneExchange) {
    for (int number :
         {MessageTimeout, MessageNack, MessageBusy, MessageReceiveError, MessageDataTooLarge})
        EXPECT_TRUE(IsLinkMessage(number)) << number;
    for (int number : {MessagePortOpenError, MessageNoSettingFile, MessageCannotSave})
        EXPECT_FALSE(IsLinkMessage(number)) << number;
}

} // namespace
