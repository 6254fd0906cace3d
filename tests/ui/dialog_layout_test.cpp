// Dialog-unit layout: scaling, and room made for controls that need more than their template.
#include "winsys/dialog_layout.h"

#include <gtest/gtest.h>

#include <array>

namespace velmarto::winsys {
namespace {

// A row of three controls and a box below spanning the row, like the score dialog.
constexpr std::array kControls = {
    ControlTemplate{1, ControlKind::DropDownList, {6, 6, 24, 70}, "", 0},
    ControlTemplate{-1, ControlKind::StaticText, {33, 10, 13, 11}, "符", 0},
    ControlTemplate{2, ControlKind::PushButton, {50, 6, 40, 14}, "OK", 0},
    ControlTemplate{3, ControlKind::Edit, {6, 26, 84, 13}, "", 0},
};
constexpr DialogTemplate kDialog = {1, "t", 96, 45, "f", 9, 0, kControls};
constexpr BaseUnits kBase = {6, 13};

TEST(ToPixels, RoundsLikeTheDialogManager) {
    const PixelRect rect = ToPixels({6, 6, 25, 13}, kBase);
    EXPECT_EQ(rect.x, 9);       // 6 * 6 / 4
    EXPECT_EQ(rect.y, 10);      // 6 * 13 / 8 = 9.75
    EXPECT_EQ(rect.width, 38);  // 25 * 6 / 4 = 37.5
    EXPECT_EQ(rect.height, 21);
}

TEST(LayOutDialog, KeepsTheTemplateWhenEverythingFits) {
    const std::array<MinimumSize, 4> minimum = {MinimumSize{30, 20}, {}, {}, {}};
    const Layout layout = LayOutDialog(kDialog, kBase, minimum);
    EXPECT_EQ(layout.width, 144);
    EXPECT_EQ(layout.height, 73);
    EXPECT_EQ(layout.controls[0].width, 36);
    EXPECT_EQ(layout.controls[0].height, 20) << "a closed list is as tall as it needs";
    EXPECT_EQ(layout.controls[2].x, 75);
}

TEST(LayOutDialog, WideControlPushesItsRowAndWidensTheDialog) {
    const std::array<MinimumSize, 4> minimum = {MinimumSize{46, 20}, {}, {}, {}};
    const Layout layout = LayOutDialog(kDialog, kBase, minimum);
    EXPECT_EQ(layout.controls[0].width, 46);
    EXPECT_EQ(layout.controls[1].x, 50 + 10) << "label moved by 10, its gap of 5 kept";
    EXPECT_EQ(layout.controls[2].x, 75 + 10);
    EXPECT_EQ(layout.controls[3].x, 9) << "the box below does not move";
    EXPECT_EQ(layout.controls[3].Right(), layout.controls[2].Right()) << "it keeps the margin";
    EXPECT_EQ(layout.width, 144 + 10);
}

}  // namespace
}  // namespace velmarto::winsys
