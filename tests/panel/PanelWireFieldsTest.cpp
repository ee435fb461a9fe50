// The bounds of the panel's binary fields: GO words up to FFFF, position reply fields up to
// their maxima, D-ZOOM read from the last three hex digits of its word.
#include "PanelRig.h"
#include "panel/PanelCommandData.h"
#include "panel/PositionReply.h"

#include <gtest/gtest.h>

using namespace zel;
using namespace zel::panel;

namespace {

TEST(PanelWireFieldsTest, GoTakesWholeWordsAndNothingBeyond) {
    EXPECT_EQ(GoData(9999, 9999, 0xFFFF, 0xFFFF), QStringLiteral("1499999999FFFFFFFF"));
    EXPECT_EQ(GoData(0, 0, 0, 0x10000), std::nullopt);
    EXPECT_EQ(GoData(0, -1, 0, 0), std::nullopt);
}

TEST(PanelWireFieldsTest, PositionFieldsWithinTheirMaxima) {
    struct Case {
        int pan, tilt, zoom, dZoom; // words as they stand on the wire
        PositionFields fields;
    };
    const QList<Case> cases{
        {7200, 3800, 25600, 470, {7200, 3800, 25600, 470}},
        {7201, 3801, 25601, 471, {std::nullopt, std::nullopt, std::nullopt, std::nullopt}},
        {0, 0xFFFF, 0x8000, 0xF1D6, {0, std::nullopt, std::nullopt, 470}}, // D-ZOOM: 1D6
        {0, 0, 0, 0x09D6, {0, 0, 0, std::nullopt}},                        // D-ZOOM: 9D6
    };
    for (const Case& c : cases) {
        const auto fields =
            ParsePositionFields(test::PositionReplyText(c.pan, c.tilt, c.zoom, c.dZoom));
        ASSERT_TRUE(fields.has_value());
        EXPECT_EQ(*fields, c.fields) << c.pan << " " << c.tilt << " " << c.zoom << " " << c.dZoom;
    }
    EXPECT_EQ(ParsePositionFields(test::PositionReplyText(0, 0, 0, 0).chopped(8)), std::nullopt);
}

} // namespace
