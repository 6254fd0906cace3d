// Shanten: hands whose distance from winning is known, and a property against the hand engine
// itself: a hand is as far as the fewest tiles it must change before EvaluateHand finds a win.
#include "engine/hand/shanten.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "engine/hand/hand_evaluator.h"
#include "engine/hand/waits.h"

namespace velmarto::hand {
namespace {

using enum MeldKind;

struct ShantenCase {
    const char* name;
    HandText text;
    int shanten;
};

const ShantenCase kCases[] = {
    {"four sets and a pair", {.tiles = "123m456p789s11222z"}, kComplete},
    {"three sets and two pairs wait on either", {.tiles = "123m456p789s1122z"}, kTenpai},
    {"nine gates", {.tiles = "1112345678999m"}, kTenpai},
    {"nine gates won", {.tiles = "11123455678999m"}, kComplete},
    {"two sets, a pair, a partial run and three loose honours", {.tiles = "123m456p78s11z234z"}, 2},
    {"seven pairs tenpai", {.tiles = "1122m3344p5566s7z"}, kTenpai},
    {"seven pairs won", {.tiles = "1122m3344p5566s77z"}, kComplete},
    {"four of a kind is not two pairs", {.tiles = "1111m2288p4499s6z"}, 2},
    {"thirteen orphans, thirteen-sided", {.tiles = "19m19p19s1234567z"}, kTenpai},
    {"thirteen orphans won", {.tiles = "19m19p19s12345677z"}, kComplete},
    {"thirteen orphans one short", {.tiles = "19m19p19s123456z5m"}, 1},
    {"thirteen loose tiles: seven pairs is nearest", {.tiles = "147m258p369s1234z"}, 6},
    {"fourteen loose tiles", {.tiles = "147m258p369s12345z"}, 6},
    {"the best discard leaves tenpai", {.tiles = "123m456p789s11z23m5z"}, kTenpai},
    {"a set called, tenpai on a partial run",
     {.tiles = "456p789s11z23m", .melds = {{Chi, "123m"}}},
     kTenpai},
    {"calls leave a single tile: tanki",
     {.tiles = "5z", .melds = {{Pon, "111m"}, {Pon, "999p"}, {Chi, "789s"}, {Kan, "2222z"}}},
     kTenpai},
    {"a tanki on a tile whose other three are called is no wait",
     {.tiles = "1m", .melds = {{Pon, "111m"}, {Pon, "999p"}, {Chi, "789s"}, {Pon, "222z"}}},
     1},
    {"four of a kind beside three sets cannot wait on a fifth", {.tiles = "123p456p789s1111m"}, 1},
    {"fourteen with calls: one discard from a double-sided wait",
     {.tiles = "23456m", .melds = {{Pon, "111z"}, {Pon, "222z"}, {Pon, "333z"}}},
     kTenpai},
    {"seven pairs and thirteen orphans need a closed hand",
     {.tiles = "1122m3344p55s", .melds = {{Pon, "777z"}}},
     2},
};

TEST(Shanten, KnownHands) {
    for (const ShantenCase& c : kCases) {
        auto read = ReadWaitingHand(c.text);
        ASSERT_TRUE(std::holds_alternative<HandInput>(read)) << c.name;
        EXPECT_EQ(ShantenOf(std::get<HandInput>(read)), c.shanten) << c.name;
    }
}

TEST(Shanten, EachFormAlone) {
    const TileCounts kokushi =
        CountsOf(std::get<std::vector<Tile>>(ParseTiles("19m19p19s1234567z")));
    EXPECT_EQ(ThirteenOrphansShanten(kokushi, 0), kTenpai);
    EXPECT_EQ(SevenPairsShanten(kokushi, 0), 6);
    EXPECT_EQ(StandardShanten(kokushi, 0), 8);
    EXPECT_EQ(SevenPairsShanten(kokushi, 1), kNoForm);
    EXPECT_EQ(ThirteenOrphansShanten(kokushi, 1), kNoForm);
}

// The slow, plain definition, as far as it goes: -1 when the engine scores the 14 tiles, 0 when
// some tile (not a fifth copy) makes 13 tiles win or some discard leaves 14 tenpai; otherwise
// "at least 1".
constexpr int kAtLeastOne = 1;

bool Wins(const HandInput& hand) {
    return std::holds_alternative<HandResult>(EvaluateHand(hand));
}

bool TenpaiByEngine(HandInput hand) {
    const TileCounts all = hand.AllCounts();
    for (TileIndex t = 0; t < kTileKinds; ++t) {
        if (all[static_cast<std::size_t>(t)] >= kCopies) {
            continue;
        }
        hand.concealed.push_back({t});
        hand.win = {t};
        const bool wins = Wins(hand);
        hand.concealed.pop_back();
        if (wins) {
            return true;
        }
    }
    return false;
}

int SlowShanten(const HandInput& hand) {
    const int tiles = static_cast<int>(hand.concealed.size() + kSetTiles * hand.melds.size());
    if (tiles == kWaitingTiles) {
        return TenpaiByEngine(hand) ? kTenpai : kAtLeastOne;
    }
    if (Wins(hand)) {
        return kComplete;
    }
    for (std::size_t i = 0; i < hand.concealed.size(); ++i) {
        HandInput rest = hand;
        rest.concealed.erase(rest.concealed.begin() + static_cast<std::ptrdiff_t>(i));
        if (TenpaiByEngine(rest)) {
            return kTenpai;
        }
    }
    return kAtLeastOne;
}

// Winning hands of every form, some with calls, taken apart by a few random exchanges: j
// exchanges from a win leave 14 tiles at most j-1 from it, and 13 tiles (one tile fewer) at
// most j.
class NearWinGenerator {
public:
    explicit NearWinGenerator(unsigned seed) : m_random(seed) {}

    HandInput Next(int exchanges, bool fourteen) {
        for (;;) {
            HandInput hand = Winning();
            if (!fourteen) {
                hand.concealed.erase(hand.concealed.begin() +
                                     Pick(static_cast<int>(hand.concealed.size())));
            }
            TileCounts all = hand.AllCounts();
            for (int j = 0; j < exchanges; ++j) {
                Tile& out = hand.concealed[static_cast<std::size_t>(
                    Pick(static_cast<int>(hand.concealed.size())))];
                --all[static_cast<std::size_t>(out.index)];
                TileIndex in = Pick(kTileKinds);
                while (all[static_cast<std::size_t>(in)] >= kCopies) {
                    in = Pick(kTileKinds);
                }
                ++all[static_cast<std::size_t>(in)];
                out = {in};
            }
            hand.win = hand.concealed.back();
            return hand;
        }
    }

private:
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }

    HandInput Winning() {
        for (;;) {
            HandInput hand;
            TileCounts all{};
            const auto take = [&](TileIndex t, int n) {
                all[static_cast<std::size_t>(t)] += static_cast<std::uint8_t>(n);
                return all[static_cast<std::size_t>(t)] <= kCopies;
            };
            bool ok = true;
            const int form = Pick(8);
            if (form == 0) {
                constexpr TileIndex kOrphans[] = {0, 8, 9, 17, 18, 26, 27, 28, 29, 30, 31, 32, 33};
                for (TileIndex t : kOrphans) {
                    hand.concealed.push_back({t});
                }
                hand.concealed.push_back({kOrphans[Pick(13)]});
            } else if (form == 1) {
                for (int pair = 0; pair < 7; ++pair) {
                    TileIndex t = Pick(kTileKinds);
                    ok = ok && all[static_cast<std::size_t>(t)] == 0 && take(t, 2);
                    hand.concealed.insert(hand.concealed.end(), 2, Tile{t});
                }
            } else {
                const int calls = Pick(3);
                for (int set = 0; set < kSets; ++set) {
                    const bool run = Pick(2) == 0;
                    const TileIndex first = run ? Pick(3) * kSuitSize + Pick(7) : Pick(kTileKinds);
                    std::vector<Tile> tiles;
                    for (int i = 0; i < kSetTiles; ++i) {
                        tiles.push_back({run ? first + i : first});
                        ok = ok && take(tiles.back().index, 1);
                    }
                    if (set < calls) {
                        hand.melds.push_back({run ? Chi : Pon, tiles});
                    } else {
                        hand.concealed.insert(hand.concealed.end(), tiles.begin(), tiles.end());
                    }
                }
                const TileIndex pair = Pick(kTileKinds);
                ok = ok && take(pair, 2);
                hand.concealed.insert(hand.concealed.end(), 2, Tile{pair});
            }
            if (ok) {
                std::shuffle(hand.concealed.begin(), hand.concealed.end(), m_random);
                return hand;
            }
        }
    }

    std::mt19937 m_random;
};

std::string Describe(const HandInput& hand) {
    std::string text = CompactNotation(hand.concealed);
    for (const Meld& meld : hand.melds) {
        text += " +" + CompactNotation(meld.tiles);
    }
    return text;
}

// The shortcut for every draw at once gives what Shanten gives for each 14-tile hand.
void ExpectEachDrawAsShanten(const HandInput& hand) {
    TileCounts called{};
    for (const Meld& meld : hand.melds) {
        for (const Tile& t : meld.tiles) {
            ++called[static_cast<std::size_t>(t.index)];
        }
    }
    TileCounts concealed = CountsOf(hand.concealed);
    const int melds = static_cast<int>(hand.melds.size());
    const auto after = ShantenAfterEachDraw(concealed, melds, called);
    for (std::size_t t = 0; t < after.size(); ++t) {
        if (concealed[t] + called[t] >= kCopies) {
            EXPECT_EQ(after[t], kNoForm);
            continue;
        }
        ++concealed[t];
        EXPECT_EQ(after[t], Shanten(concealed, melds, called))
            << Describe(hand) << " drawing " << TileName({static_cast<TileIndex>(t)});
        --concealed[t];
    }
}

TEST(Shanten, AgreesWithTheEngineOnGeneratedHands) {
    constexpr int kHandsPerShape = 600;
    NearWinGenerator generator(7);
    for (const bool fourteen : {false, true}) {
        for (int exchanges = 0; exchanges <= 2; ++exchanges) {
            // Beyond these the slow definition no longer tells the exact figure.
            const int bound = fourteen ? exchanges - 1 : exchanges;
            if (bound > kAtLeastOne) {
                continue;
            }
            for (int n = 0; n < kHandsPerShape; ++n) {
                const HandInput hand = generator.Next(exchanges, fourteen);
                const int slow = SlowShanten(hand);
                const int fast = ShantenOf(hand);
                EXPECT_EQ(fast, slow == kAtLeastOne ? bound : slow) << Describe(hand);
                if (!fourteen) {
                    ExpectEachDrawAsShanten(hand);
                }
            }
        }
    }
}

}  // namespace
}  // namespace velmarto::hand
