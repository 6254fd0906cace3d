// The two boxes a front end asks, the last tile and the first draw, and the yaku each makes.
#include "engine/hand/situation.h"

#include <gtest/gtest.h>

namespace velmarto::hand {
namespace {

constexpr int kSouth = 1;

TEST(Moments, TheWayOfTheWinAndTheSeatChooseTheYaku) {
    const struct {
        Moments moments;
        bool tsumo;
        int seat;
        Declared declared;
    } rows[] = {
        {{.lastTile = true}, true, kSouth, {.haitei = true}},
        {{.lastTile = true}, false, kSouth, {.houtei = true}},
        {{.firstDraw = true}, true, 0, {.tenhou = true}},
        {{.firstDraw = true}, true, kSouth, {.chiihou = true}},
        {{}, true, 0, {}},
    };
    for (const auto& row : rows) {
        Situation situation;
        situation.tsumo = row.tsumo;
        situation.seatWind = row.seat;
        DeclareMoments(situation, row.moments);
        EXPECT_EQ(static_cast<const Declared&>(situation), row.declared)
            << row.tsumo << " seat " << row.seat;
    }
}

TEST(Moments, AFlagAlreadyDeclaredStays) {
    Situation situation;
    situation.haitei = true;
    situation.tsumo = true;
    DeclareMoments(situation, {.firstDraw = true});
    EXPECT_TRUE(situation.haitei);
    EXPECT_TRUE(situation.tenhou);
}

}  // namespace
}  // namespace velmarto::hand
