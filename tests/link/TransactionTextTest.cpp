#include "link/TransactionText.h"
#include "common/MessageNumber.h"
#include "link/LinkState.h"

#include <gtest/gtest.h>

using namespace zel;

namespace {

TEST(TransactionTextTest, NamesCameraAndCommandOrBlockInEitherLanguage) {
    LinkState state;
    EXPECT_TRUE(TransactionText(state).isEmpty());
    state.LastSentFrame = u"FE0A1231052A010305FFFF"_qs; // camera 123, command 2A
    EXPECT_EQ(TransactionText(state), u"camera 123, command 2A"_qs);
    state.BlockNo = 37; // within a transfer the block says more than the command
    EXPECT_EQ(TransactionText(state), u"camera 123, block 37"_qs);
    // A backup frame names its own block: the transfer has counted on to the next one.
    state.LastSentFrame = u"FE0A123105C1001977FFFF"_qs;
    state.BlockNo = 26;
    EXPECT_EQ(TransactionText(state), u"camera 123, block 25"_qs);
    state.LastSentFrame = u"FE09123105C100FFFF"_qs; // cut short: the count stays
    EXPECT_EQ(TransactionText(state), u"camera 123, block 26"_qs);
    state.BlockNo = 0;
    state.LastSentFrame = u"FE07255099EAFFFF"_qs; // no data bytes
    EXPECT_EQ(TransactionText(state), u"camera 255"_qs);
    state.LastSentFrame = u"FE0"_qs; // cut short: no crash, no command
    EXPECT_EQ(TransactionText(state), u"camera 0"_qs);
    // Japanese names the same exchange.
    state.LastSentFrame = u"FE0A1231052A010305FFFF"_qs;
    EXPECT_EQ(TransactionText(state, 1), u"カメラ 123、コマンド 2A"_qs);
    state.LastSentFrame = u"FE0A123105C1001977FFFF"_qs;
    EXPECT_EQ(TransactionText(state, 1), u"カメラ 123、ブロック 25"_qs);
}

TEST(TransactionTextTest, OnlyMessagesAboutOneExchange) {
    for (int number :
         {MessageTimeout, MessageNack, MessageBusy, MessageReceiveError, MessageDataTooLarge})
        EXPECT_TRUE(IsLinkMessage(number)) << number;
    for (int number : {MessagePortOpenError, MessageNoSettingFile, MessageCannotSave})
        EXPECT_FALSE(IsLinkMessage(number)) << number;
}

} // namespace
