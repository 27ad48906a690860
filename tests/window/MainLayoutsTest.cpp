#include "ui/window/MainLayouts.h"

#include <gtest/gtest.h>

namespace {

using namespace packwell::window;
using packwell::anim::kKeep;

// The edges of the window as laid out at 96 dots per inch.
const MainLayouts kLayouts = MainLayouts::From({393, 97, 258, 817, 281});
constexpr Size kScreen{1280, 800};

TEST(MainLayouts, SizesAreTheEdgesPlusFrameAndTitleBar) {
    EXPECT_EQ(kLayouts.compactWidth, 406);
    EXPECT_EQ(kLayouts.compactHeight, 133);
    EXPECT_EQ(kLayouts.actionsHeight, 294);
    EXPECT_EQ(kLayouts.fullWidth, 830);
    EXPECT_EQ(kLayouts.progressHeight, 317);
}

TEST(MainLayouts, ActionsLayoutOnlyFromTheCompactHeightAndNotOnTheWayBackFromCleanup) {
    const auto to = ActionsLayoutRequest({406, 133}, kLayouts, kScreen, false);
    ASSERT_TRUE(to);
    EXPECT_EQ(to->Left, 640 - 203);
    EXPECT_EQ(to->Top, 400 - 147);
    EXPECT_EQ(to->Width, kKeep);
    EXPECT_EQ(to->Height, 294);
    EXPECT_FALSE(ActionsLayoutRequest({406, 294}, kLayouts, kScreen, false));
    EXPECT_FALSE(ActionsLayoutRequest({406, 133}, kLayouts, kScreen, true));
}

TEST(MainLayouts, CompactLayoutRestsBelowCentreAndIsNotAskedForTwice) {
    const auto to = CompactLayoutRequest({830, 294}, kLayouts, 97, kScreen, false);
    ASSERT_TRUE(to);
    EXPECT_EQ(to->Left, 640 - 203);
    EXPECT_EQ(to->Top, 400 - 48);
    EXPECT_EQ(to->Width, 406);
    EXPECT_EQ(to->Height, 133);
    EXPECT_FALSE(CompactLayoutRequest({406, 133}, kLayouts, 97, kScreen, false));
    EXPECT_FALSE(CompactLayoutRequest({830, 294}, kLayouts, 97, kScreen, true));
}

TEST(MainLayouts, StatusPanelOpensOnlyFromTheActionsLayout) {
    const auto to = StatusPanelRequest({406, 294}, kLayouts, kScreen);
    ASSERT_TRUE(to);
    EXPECT_EQ(to->Left, 640 - 415);
    EXPECT_EQ(to->Top, 400 - 147);
    EXPECT_EQ(to->Width, 830);
    EXPECT_EQ(to->Height, kKeep);
    EXPECT_FALSE(StatusPanelRequest({830, 294}, kLayouts, kScreen));
    EXPECT_FALSE(StatusPanelRequest({406, 317}, kLayouts, kScreen));
}

TEST(MainLayouts, BarSwitch) {
    struct Case {
        int script;
        std::array<bool, 5> shown;
        bool across;
        int height;
    };
    for (const Case& c : {Case{0, {false, false, false, false, false}, false, 294},
                          Case{1, {true, false, false, false, false}, true, 317},
                          Case{2, {true, true, true, true, true}, false, 317}}) {
        const auto bars = BarsLayoutFor(static_cast<std::uint8_t>(c.script), kLayouts);
        ASSERT_TRUE(bars) << c.script;
        EXPECT_EQ(bars->shown, c.shown) << c.script;
        EXPECT_EQ(bars->firstBarAcross, c.across) << c.script;
        EXPECT_EQ(bars->height, c.height) << c.script;
    }
    EXPECT_FALSE(BarsLayoutFor(3, kLayouts));
}

}  // namespace
