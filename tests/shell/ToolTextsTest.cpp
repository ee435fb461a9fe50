// The tool's own texts: every one in both languages, with the same placeholders (a table
// shorter than its enum leaves the last texts empty).
#include "shell/ToolTexts.h"
#include "TextPlaceholders.h"

#include <gtest/gtest.h>

using namespace zel;

namespace {

TEST(ToolTextsTest, EveryTextHasBothLanguagesWithTheSamePlaceholders) {
    for (int id = 0; id < int(ToolText::Count); ++id) {
        const QString en = toolText(0, ToolText(id));
        const QString ja = toolText(1, ToolText(id));
        EXPECT_FALSE(en.isEmpty()) << id;
        EXPECT_NE(en, ja) << id;
        EXPECT_EQ(test::Placeholders(en), test::Placeholders(ja)) << id;
    }
    EXPECT_TRUE(toolText(0, ToolText::Count).isEmpty());
}

} // namespace
