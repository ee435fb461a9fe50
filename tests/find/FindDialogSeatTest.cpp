// The one find dialog of the program: a second one closes the first before it opens.
#include "find/FindDialogSeat.h"

#include <QStringList>
#include <gtest/gtest.h>

using zel::FindDialogSeat;

TEST(FindDialogSeatTest, ADialogTakingTheSeatClosesTheOneOpenOnce) {
    FindDialogSeat seat;
    QStringList closed;
    const int title = 1;
    const int test = 2;
    // Closing a dialog leaves the seat too, as a real dialog's finished() does.
    seat.take(&title, [&] {
        closed.append(u"title"_qs);
        seat.leave(&title);
    });
    EXPECT_EQ(seat.holder(), &title);
    seat.take(&title, [&] { closed.append(u"title again"_qs); }); // same dialog
    EXPECT_TRUE(closed.isEmpty());
    seat.take(&test, [&] { closed.append(u"test"_qs); });
    EXPECT_EQ(closed, QStringList{u"title again"_qs});
    EXPECT_EQ(seat.holder(), &test);
    seat.leave(&title); // a late goodbye of the closed dialog frees nothing
    EXPECT_EQ(seat.holder(), &test);
    seat.closeOpen();
    EXPECT_EQ(closed.last(), u"test"_qs);
    EXPECT_FALSE(seat.isTaken());
    seat.closeOpen(); // nothing open: nothing runs
    EXPECT_EQ(closed.size(), 2);
}
