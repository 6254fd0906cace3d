// Waits, useful tiles and discards: the classic shapes, furiten, karaten, and a property that
// every wait pays exactly what `hand` says once the tile is added.
#include "engine/hand/waits.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

namespace velmarto::hand {
namespace {

using enum MeldKind;

WaitAnalysis Analyze(const HandText& text, std::string_view discards = "") {
    auto analysed = AnalyzeWaits(text, discards, Figures::Myriad);
    if (auto* error = std::get_if<NotationError>(&analysed)) {
        ADD_FAILURE() << text.tiles << ": " << error->message;
        return {};
    }
    return std::get<WaitAnalysis>(std::move(analysed));
}

template <typename Listed>
std::string TilesOf(const std::vector<Listed>& listed) {
    std::string text;
    for (const Listed& item : listed) {
        text += TileName(item.tile) + "x" + std::to_string(item.left) + " ";
    }
    return text;
}

struct WaitCase {
    const char* name;
    HandText text;
    const char* waits;  // tile x left, in tile order
};

const WaitCase kWaitCases[] = {
    {"nine gates wait on all nine",
     {.tiles = "1112345678999m"},
     "1mx1 2mx3 3mx3 4mx3 5mx3 6mx3 7mx3 8mx3 9mx1 "},
    {"pure nobetan", {.tiles = "123p456p789s2345m"}, "2mx3 5mx3 "},
    {"thirteen-sided thirteen orphans",
     {.tiles = "19m19p19s1234567z", .dora = "1z"},
     "1mx3 9mx3 1px3 9px3 1sx3 9sx3 1zx2 2zx3 3zx3 4zx3 5zx3 6zx3 7zx3 "},
    {"a called set's copies are not left",
     {.tiles = "456p789s11z23m", .melds = {{Chi, "123m"}}},
     "1mx3 4mx4 "},
    {"karaten: the only wait is a fifth copy",
     {.tiles = "1m", .melds = {{Pon, "111m"}, {Pon, "999p"}, {Chi, "789s"}, {Pon, "222z"}}},
     ""},
};

TEST(Waits, ClassicShapes) {
    for (const WaitCase& c : kWaitCases) {
        const WaitAnalysis analysis = Analyze(c.text);
        EXPECT_EQ(TilesOf(analysis.waits), c.waits) << c.name;
        EXPECT_FALSE(analysis.furiten) << c.name;
        EXPECT_TRUE(analysis.discards.empty()) << c.name;
    }
}

TEST(Waits, KaratenIsNotTenpaiAndListsWhatHelps) {
    const WaitAnalysis analysis = Analyze({.tiles = "123p456p789s1111m"});
    EXPECT_EQ(analysis.shanten, 1);
    EXPECT_TRUE(analysis.waits.empty());
    // Any tile but the fifth 1m: a pair partner for the triplet's spare, or a run beside it.
    EXPECT_EQ(analysis.useful.size(), static_cast<std::size_t>(kTileKinds - 1));
    EXPECT_EQ(analysis.useful.front().tile, Tile{1});
}

TEST(Waits, FuritenTakesTheRonAwayNotTheTsumo) {
    const HandText text{.tiles = "123p456p789s23m11z", .situation = {{.riichi = true}}};
    const WaitAnalysis clean = Analyze(text, "9s");
    ASSERT_EQ(clean.waits.size(), 2U);
    EXPECT_FALSE(clean.furiten);
    EXPECT_TRUE(clean.waits[0].ron.has_value());
    const WaitAnalysis furiten = Analyze(text, "5z4m");
    EXPECT_TRUE(furiten.furiten);
    for (const WaitResult& wait : furiten.waits) {
        EXPECT_FALSE(wait.ron.has_value()) << TileName(wait.tile);
        EXPECT_FALSE(wait.tsumo.result.NoYaku()) << TileName(wait.tile);
    }
}

TEST(Waits, NoYakuOnARonStillShowsATsumo) {
    // An open hand with a closed-only shape: no yaku either way but the tsumo of a closed hand.
    const WaitAnalysis open = Analyze({.tiles = "456p789s11z23m", .melds = {{Chi, "123m"}}});
    ASSERT_FALSE(open.waits.empty());
    EXPECT_TRUE(open.waits[0].ron->result.NoYaku());
    EXPECT_TRUE(open.waits[0].tsumo.result.NoYaku());
    const WaitAnalysis closed =
        Analyze({.tiles = "123p456p789s23m11z", .situation = {{}, {.seatWind = 1}}});
    ASSERT_FALSE(closed.waits.empty());
    EXPECT_TRUE(closed.waits[0].ron->result.NoYaku());
    EXPECT_EQ(closed.waits[0].ron->report,
              std::get<HandScore>(
                  ScoreHand(std::get<HandInput>(ReadHand({.tiles = "123p456p789s23m11z1m",
                                                          .situation = {{}, {.seatWind = 1}}})),
                            Figures::Myriad))
                  .report);
    EXPECT_FALSE(closed.waits[0].tsumo.result.NoYaku());
}

TEST(Waits, FlagsApplyOnlyToTheWayOfWinningTheyFit) {
    const HandText text{.tiles = "123p456p789s23m11z",
                        .situation = {{.riichi = true, .haitei = true, .houtei = true}}};
    const WaitAnalysis analysis = Analyze(text);
    ASSERT_FALSE(analysis.waits.empty());
    const auto has = [](const HandScore& score, YakuId id) {
        const auto view = score.result.yaku.View();
        return std::any_of(view.begin(), view.end(),
                           [id](const ScoredYaku& y) { return y.id == id; });
    };
    EXPECT_TRUE(has(analysis.waits[0].tsumo, YakuId::Haitei));
    EXPECT_FALSE(has(analysis.waits[0].tsumo, YakuId::Houtei));
    EXPECT_TRUE(has(*analysis.waits[0].ron, YakuId::Houtei));
    EXPECT_FALSE(has(*analysis.waits[0].ron, YakuId::Haitei));
}

TEST(Waits, NotTenpaiListsShantenAndUsefulTiles) {
    const WaitAnalysis analysis = Analyze({.tiles = "123m456p78s11z234z"});
    EXPECT_EQ(analysis.shanten, 2);
    EXPECT_TRUE(analysis.waits.empty());
    // The partial run's ends, and a second copy of a loose honour or of the pair.
    EXPECT_EQ(TilesOf(analysis.useful), "6sx4 9sx4 1zx2 2zx3 3zx3 4zx3 ");
}

TEST(Waits, FourteenTilesOrderTheDiscards) {
    const WaitAnalysis analysis = Analyze({.tiles = "123m456p789s11z23m5z"});
    EXPECT_EQ(analysis.shanten, kTenpai);
    ASSERT_FALSE(analysis.discards.empty());
    const DiscardResult& best = analysis.discards.front();
    EXPECT_EQ(best.tile, Tile{31});
    EXPECT_EQ(best.shanten, kTenpai);
    EXPECT_EQ(TilesOf(best.waits), "1mx3 4mx4 ");
    EXPECT_EQ(TilesOf(best.useful), TilesOf(best.waits));
    for (std::size_t i = 1; i < analysis.discards.size(); ++i) {
        const DiscardResult& a = analysis.discards[i - 1];
        const DiscardResult& b = analysis.discards[i];
        EXPECT_TRUE(a.shanten < b.shanten ||
                    (a.shanten == b.shanten && a.UsefulLeft() >= b.UsefulLeft()))
            << TileName(a.tile) << " before " << TileName(b.tile);
    }
    EXPECT_FALSE(analysis.win.has_value());
}

TEST(Waits, CuttingAWaitMakesThatDiscardFuriten) {
    // Cutting a 5m leaves 2345m, waiting on the 5m just thrown; cutting the 9m leaves it clean.
    const struct {
        const char* tiles;
        Tile cut;
        bool furiten;
    } cases[] = {{"123p456p789s23455m", {4}, true}, {"123p456p789s2345m9m", {8}, false}};
    for (const auto& c : cases) {
        const WaitAnalysis analysis = Analyze({.tiles = c.tiles});
        const auto found = std::find_if(analysis.discards.begin(), analysis.discards.end(),
                                        [&](const DiscardResult& d) { return d.tile == c.cut; });
        ASSERT_NE(found, analysis.discards.end()) << c.tiles;
        EXPECT_EQ(TilesOf(found->waits), "2mx3 5mx3 ") << c.tiles;
        EXPECT_EQ(found->furiten, c.furiten) << c.tiles;
        for (const WaitResult& wait : found->waits) {
            EXPECT_EQ(wait.ron.has_value(), !c.furiten) << c.tiles;
        }
    }
}

TEST(Waits, FourteenTilesThatWinAreScoredAsHandScoresThem) {
    const HandText text{.tiles = "123m456p789s11z234m", .situation = {{.riichi = true}}};
    const WaitAnalysis analysis = Analyze(text);
    EXPECT_EQ(analysis.shanten, kComplete);
    ASSERT_TRUE(analysis.win.has_value());
    EXPECT_EQ(analysis.win->tile, Tile{3});
    const HandInput hand = std::get<HandInput>(ReadHand(text));
    EXPECT_EQ(analysis.win->ron->report,
              std::get<HandScore>(ScoreHand(hand, Figures::Myriad)).report);
    EXPECT_FALSE(analysis.discards.empty());
}

TEST(Waits, ErrorsNameTheCountOrTheTile) {
    struct ErrorCase {
        HandText text;
        const char* discards;
        const char* message;
    };
    const ErrorCase cases[] = {
        {{.tiles = "123m456p789s11z"}, "", "11 tiles: a hand before its win has 13"},
        {{.tiles = "123m456p789s11z2345m"}, "", "15 tiles"},
        {{.tiles = "123p456p789s23m11z"}, "1z1z1z", "1z appears 5 times"},
        {{.tiles = "123p456p789s23m11z"}, "4x", "--discards: "},
        {{.tiles = "123p456p789s23m11z", .situation = {{.rinshan = true}}}, "", "--rinshan"},
    };
    for (const ErrorCase& c : cases) {
        auto analysed = AnalyzeWaits(c.text, c.discards, Figures::Myriad);
        ASSERT_TRUE(std::holds_alternative<NotationError>(analysed)) << c.text.tiles;
        const NotationError& error = std::get<NotationError>(analysed);
        EXPECT_NE(error.message.find(c.message), std::string::npos) << error.message;
        EXPECT_FALSE(error.japanese.empty());
    }
}

// Tenpai hands of four sets and a pair less one tile, some with a call, with riichi when closed.
TEST(Waits, EveryWaitPaysWhatHandSaysAndNoOtherTileWins) {
    std::mt19937 random(11);
    const auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    int checked = 0;
    while (checked < 300) {
        std::vector<Tile> tiles;
        TileCounts all{};
        bool ok = true;
        for (int set = 0; set < kSets; ++set) {
            const bool run = pick(2) == 0;
            const TileIndex first = run ? pick(3) * kSuitSize + pick(7) : pick(kTileKinds);
            for (int i = 0; i < kSetTiles; ++i) {
                tiles.push_back({run ? first + i : first});
                ok = ok && ++all[static_cast<std::size_t>(tiles.back().index)] <= kCopies;
            }
        }
        const TileIndex pair = pick(kTileKinds);
        all[static_cast<std::size_t>(pair)] += 2;
        if (!ok || all[static_cast<std::size_t>(pair)] > kCopies) {
            continue;
        }
        tiles.insert(tiles.end(), 2, Tile{pair});
        tiles.erase(tiles.begin() + pick(static_cast<int>(tiles.size())));
        const std::string notation = CompactNotation(tiles);
        const Situation situation{{.riichi = pick(2) == 0}, {.seatWind = pick(kWinds)}};
        const HandText text{.tiles = notation, .situation = situation};
        const WaitAnalysis analysis = Analyze(text);
        ASSERT_EQ(analysis.shanten, kTenpai) << notation;
        std::size_t next = 0;
        for (TileIndex t = 0; t < kTileKinds; ++t) {
            const std::string withWin = notation + TileName({t});
            for (const bool tsumo : {false, true}) {
                HandText won{.tiles = withWin, .situation = situation};
                won.situation.tsumo = tsumo;
                auto read = ReadHand(won);
                const bool wins =
                    std::holds_alternative<HandInput>(read) &&
                    std::holds_alternative<HandResult>(EvaluateHand(std::get<HandInput>(read)));
                const bool listed =
                    next < analysis.waits.size() && analysis.waits[next].tile.index == t;
                ASSERT_EQ(wins, listed) << withWin;
                if (!wins) {
                    continue;
                }
                const HandScore expected =
                    std::get<HandScore>(ScoreHand(std::get<HandInput>(read), Figures::Myriad));
                const HandScore& got =
                    tsumo ? analysis.waits[next].tsumo : *analysis.waits[next].ron;
                EXPECT_EQ(got.report, expected.report) << withWin;
                EXPECT_EQ(got.result.han, expected.result.han) << withWin;
                EXPECT_EQ(got.result.fu.total, expected.result.fu.total) << withWin;
                EXPECT_EQ(got.result.yaku.View().size(), expected.result.yaku.View().size())
                    << withWin;
            }
            if (next < analysis.waits.size() && analysis.waits[next].tile.index == t) {
                ++next;
            }
        }
        EXPECT_EQ(next, analysis.waits.size()) << notation;
        ++checked;
    }
}

}  // namespace
}  // namespace velmarto::hand
