// The names save dialogs propose.
#include "common/SuggestedFileName.h"

#include <gtest/gtest.h>

using namespace zel;

TEST(SuggestedFileNameTest, CameraNumberInThreeDigitsOrNoneAndLogsByDay) {
    const QList<std::pair<const char*, const char*>> cases{
        {"1", "cam001.bin"}, {"0", "cam000.bin"}, {"255", "cam255.bin"}, {" 42 ", "cam042.bin"},
        {"256", "cam.bin"},  {"-1", "cam.bin"},   {"", "cam.bin"},       {"1a", "cam.bin"},
    };
    for (const auto& [number, name] : cases)
        EXPECT_EQ(cameraFileName(QString::fromLatin1(number), u"bin"_qs), QString::fromLatin1(name))
            << number;
    EXPECT_EQ(cameraFileName(u"7"_qs, u"ttl"_qs), u"cam007.ttl");
    EXPECT_EQ(datedFileName(QDate(2026, 12, 6), u"log"_qs), u"2026-12-06.log"); // logs by day
}
