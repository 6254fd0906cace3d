// Three-player hands: the tiles and calls the table leaves out, and 北 set aside as dora.
#include "engine/hand/three_players.h"

#include <gtest/gtest.h>

#include "engine/hand/hand_evaluator.h"
#include "engine/hand/hand_summary.h"

namespace velmarto::hand {
namespace {

constexpr Rules kThree{.players = 3};

TEST(ThreePlayers, RefusesWhatTheTableLeavesOut) {
    const struct {
        const char* name;
        HandText text;
        const char* message;
    } rows[] = {
        {"a removed tile in the hand",
         {.tiles = "111p222p333p456p5m5m", .rules = kThree},
         "5m is not used with three players (no 2m-8m)"},
        {"a removed tile as an indicator",
         {.tiles = "111p222p333p456p99m", .dora = "3m", .rules = kThree},
         "--dora: 3m is not used with three players (no 2m-8m)"},
        {"a removed tile in a called set",
         {.tiles = "111p222p456p99m", .melds = {{MeldKind::Pon, "777m"}}, .rules = kThree},
         "--pon: 7m is not used with three players (no 2m-8m)"},
        {"chi",
         {.tiles = "111p222p456p99m", .melds = {{MeldKind::Chi, "123s"}}, .rules = kThree},
         "no chi with three players"},
        {"the North seat",
         {.tiles = "111p222p333p456p99m", .situation = {{}, {.seatWind = 3}}, .rules = kThree},
         "three players sit East, South and West only"},
        {"a fifth 北 with the kita",
         {.tiles = "111p222p333p99m444z", .situation = {{}, {.kita = 2}}, .rules = kThree},
         "4z appears 5 times with the kita set aside; there are 4"},
        {"a negative kita",
         {.tiles = "111p222p333p456p99m", .situation = {{}, {.kita = -1}}, .rules = kThree},
         "--kita counts the 北 set aside: 0 or more"},
        {"kita at four players",
         {.tiles = "111p222p333p456p99m", .situation = {{}, {.kita = 1}}},
         "--kita needs --players 3"},
    };
    for (const auto& row : rows) {
        auto read = ReadHand(row.text);
        ASSERT_TRUE(std::holds_alternative<NotationError>(read)) << row.name;
        EXPECT_EQ(std::get<NotationError>(read).message, row.message) << row.name;
        EXPECT_FALSE(std::get<NotationError>(read).japanese.empty());
    }
}

int DoraHan(const HandText& text, std::vector<HanLine>* lines = nullptr) {
    auto result = EvaluateHand(std::get<HandInput>(ReadHand(text)));
    const HandResult& r = std::get<HandResult>(result);
    if (lines) {
        *lines = HanLines(r);
    }
    return r.dora.Han();
}

TEST(ThreePlayers, KitaAndTheIndicatorsThatWrapAround) {
    const Situation riichi{{.riichi = true}, {.kita = 2}};
    std::vector<HanLine> lines;
    EXPECT_EQ(
        DoraHan({.tiles = "123p456p789p111s99m", .situation = riichi, .rules = kThree}, &lines), 2);
    EXPECT_EQ(lines.back().name, "抜きドラ");
    EXPECT_EQ(lines.back().han, 2);
    // 1m points at 9m with three players (2m is not there), at 2m with four.
    EXPECT_EQ(
        DoraHan(
            {.tiles = "123p456p789p111s99m", .dora = "1m", .situation = riichi, .rules = kThree}),
        4);
    EXPECT_EQ(
        DoraHan({.tiles = "123p456p789p111s99m", .dora = "1m", .situation = {{.riichi = true}}}),
        0);
    // With 北 the dora, each 北 set aside counts once more.
    EXPECT_EQ(
        DoraHan(
            {.tiles = "123p456p789p111s99m", .dora = "3z", .situation = riichi, .rules = kThree}),
        4);
}

}  // namespace
}  // namespace velmarto::hand
