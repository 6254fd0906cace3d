// Properties over many generated winning hands: readings use exactly the given tiles, dora count
// once per copy, and a self-draw never takes han away from a closed hand.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "engine/hand/hand_evaluator.h"

namespace velmarto::hand {
namespace {

constexpr int kHands = 3000;

// A random winning hand of four sets and a pair, the winning tile last; every fourth hand calls
// its first set.
struct Generated {
    std::string tiles;
    std::vector<std::pair<MeldKind, std::string>> melds;
};

class HandGenerator {
public:
    explicit HandGenerator(unsigned seed) : m_random(seed) {}

    Generated Next() {
        for (;;) {
            TileCounts counts{};
            std::vector<Tile> concealed;
            Generated hand;
            const bool call = Pick(4) == 0;
            bool ok = true;
            for (int set = 0; set < kSets && ok; ++set) {
                const bool sequence = Pick(2) == 0;
                const TileIndex first = sequence ? Pick(3) * kSuitSize + Pick(7) : Pick(kTileKinds);
                std::vector<Tile> tiles;
                for (int i = 0; i < kSetTiles; ++i) {
                    tiles.push_back({sequence ? first + i : first});
                }
                ok = Take(counts, tiles);
                if (call && set == 0) {
                    hand.melds.emplace_back(sequence ? MeldKind::Chi : MeldKind::Pon,
                                            Notation(tiles));
                } else {
                    concealed.insert(concealed.end(), tiles.begin(), tiles.end());
                }
            }
            const std::vector<Tile> pair(2, Tile{Pick(kTileKinds)});
            if (!ok || !Take(counts, pair)) {
                continue;
            }
            concealed.insert(concealed.end(), pair.begin(), pair.end());
            std::shuffle(concealed.begin(), concealed.end(), m_random);
            hand.tiles = Notation(concealed);
            return hand;
        }
    }

private:
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }

    static bool Take(TileCounts& counts, const std::vector<Tile>& tiles) {
        for (const Tile& t : tiles) {
            if (++counts[static_cast<std::size_t>(t.index)] > kCopies) {
                return false;
            }
        }
        return true;
    }

    static std::string Notation(const std::vector<Tile>& tiles) {
        std::string text;
        for (const Tile& t : tiles) {
            text += TileName(t);
        }
        return text;
    }

    std::mt19937 m_random;
};

HandInput Read(const Generated& generated, Situation situation, std::string_view dora = "") {
    HandText text{.tiles = generated.tiles, .dora = dora, .situation = situation};
    for (const auto& [kind, notation] : generated.melds) {
        text.melds.emplace_back(kind, notation);
    }
    auto read = ReadHand(text);
    if (auto* error = std::get_if<NotationError>(&read)) {
        ADD_FAILURE() << generated.tiles << ": " << error->message;
        return {};
    }
    return std::get<HandInput>(read);
}

TileCounts TilesOf(const Reading& reading) {
    TileCounts counts{};
    const auto add = [&](TileIndex t, int n) {
        counts[static_cast<std::size_t>(t)] += static_cast<std::uint8_t>(n);
    };
    if (reading.form != Form::Standard) {
        return counts;
    }
    for (const Set& set : reading.sets) {
        for (int i = 0; i < kSetTiles; ++i) {
            add(set.kind == SetKind::Sequence ? set.tile + i : set.tile, 1);
        }
        if (set.kind == SetKind::Quad) {
            add(set.tile, 1);
        }
    }
    add(reading.pair, 2);
    return counts;
}

TEST(HandProperties, EveryReadingUsesExactlyTheGivenTiles) {
    HandGenerator generator(1);
    for (int n = 0; n < kHands; ++n) {
        const Generated generated = generator.Next();
        const HandInput hand = Read(generated, {});
        int readings = 0;
        ForEachReading(hand, [&](const Reading& reading) {
            ++readings;
            if (reading.form == Form::Standard) {
                EXPECT_EQ(TilesOf(reading), hand.AllCounts()) << generated.tiles;
            }
        });
        EXPECT_GT(readings, 0) << generated.tiles << " is a winning hand";
    }
}

TEST(HandProperties, ADoraIndicatorAddsOneHanPerCopy) {
    HandGenerator generator(2);
    for (int n = 0; n < kHands; ++n) {
        const Generated generated = generator.Next();
        if (!generated.melds.empty()) {
            continue;  // riichi makes sure of a yaku, and needs a closed hand
        }
        const Situation riichi{{.riichi = true}};
        const HandInput plain = Read(generated, riichi);
        const TileCounts all = plain.AllCounts();
        // An indicator of which a copy is left, pointing at a tile of the hand.
        for (TileIndex indicator = 0; indicator < kTileKinds; ++indicator) {
            const int copies = all[static_cast<std::size_t>(DoraOf(indicator))];
            if (copies == 0 || all[static_cast<std::size_t>(indicator)] == kCopies) {
                continue;
            }
            const HandInput withDora = Read(generated, riichi, TileName({indicator}));
            const int before = std::get<HandResult>(EvaluateHand(plain)).han;
            const int after = std::get<HandResult>(EvaluateHand(withDora)).han;
            EXPECT_EQ(after - before, copies)
                << generated.tiles << " indicator " << TileName({indicator});
            break;
        }
    }
}

TEST(HandProperties, TsumoNeverLowersAClosedHandsHan) {
    HandGenerator generator(3);
    for (int n = 0; n < kHands; ++n) {
        const Generated generated = generator.Next();
        if (!generated.melds.empty()) {
            continue;
        }
        const int ron = std::get<HandResult>(EvaluateHand(Read(generated, {}))).han;
        const int tsumo =
            std::get<HandResult>(EvaluateHand(Read(generated, {{}, {.tsumo = true}}))).han;
        EXPECT_GE(tsumo, ron) << generated.tiles;
    }
}

}  // namespace
}  // namespace velmarto::hand
