// Shanten as distance: a hand is as far from winning as the winning hand nearest to it is missing
// tiles, less the one the last draw brings. Four sets and a pair are split by suit, since sets
// never cross suits: each suit tells how many of its tiles k sets and a pair of that suit can
// use at best, and the suits are then combined. A suit's answer depends only on its own counts,
// so it is worked out once per thread and kept.
#include "engine/hand/shanten.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>

namespace velmarto::hand {
namespace {

constexpr int kMaxSets = 4;
constexpr int kPairs = 2;  // none or one
constexpr int kUnreachable = -100;
constexpr int kRunLength = 3;
constexpr int kHonourKinds = kTileKinds - kFirstHonour;
constexpr int kSevenPairs = 7;
constexpr int kPairTiles = 2;
constexpr int kWinningTiles = 14;

// The most tiles of one suit that k sets and p pairs of that suit can use, indexed [k][p].
using SuitBest = std::array<std::array<std::int8_t, kPairs>, kMaxSets + 1>;

// One suit's tiles: how many the hand holds, and how many copies the called sets already use.
struct SuitSlice {
    const std::uint8_t* counts;
    const std::uint8_t* called;
    int size;
    bool runs;  // honours make no runs
};

// The search state at one tile of the suit: sets and pair so far, and the runs started one and
// two tiles back, which still need a tile here.
using Table =
    std::array<std::array<std::array<std::array<std::int8_t, kMaxSets + 1>, kMaxSets + 1>, kPairs>,
               kMaxSets + 1>;

Table EmptyTable() {
    Table table;
    for (auto& byPair : table) {
        for (auto& byLast : byPair) {
            for (auto& byBefore : byLast) {
                byBefore.fill(kUnreachable);
            }
        }
    }
    return table;
}

SuitBest ComputeSuit(const SuitSlice& suit) {
    Table current = EmptyTable();
    current[0][0][0][0] = 0;
    for (int i = 0; i < suit.size; ++i) {
        Table next = EmptyTable();
        const int have = suit.counts[i];
        const int room = kCopies - suit.called[i];
        const bool runStarts = suit.runs && i + kRunLength <= suit.size;
        for (int k = 0; k <= kMaxSets; ++k) {
            for (int p = 0; p < kPairs; ++p) {
                for (int last = 0; last <= k; ++last) {
                    for (int before = 0; before + last <= k; ++before) {
                        const int value = current[k][p][last][before];
                        if (value == kUnreachable) {
                            continue;
                        }
                        for (int run = 0; run <= (runStarts ? kMaxSets - k : 0); ++run) {
                            for (int triplet = 0; triplet <= 1 && k + run + triplet <= kMaxSets;
                                 ++triplet) {
                                for (int pair = 0; pair + p < kPairs; ++pair) {
                                    const int used = last + before + run + 3 * triplet + 2 * pair;
                                    if (used > room) {
                                        continue;
                                    }
                                    std::int8_t& slot =
                                        next[k + run + triplet][p + pair][run][last];
                                    slot = static_cast<std::int8_t>(
                                        std::max<int>(slot, value + std::min(have, used)));
                                }
                            }
                        }
                    }
                }
            }
        }
        current = next;
    }
    SuitBest best;
    for (int k = 0; k <= kMaxSets; ++k) {
        for (int p = 0; p < kPairs; ++p) {
            best[k][p] = current[k][p][0][0];
        }
    }
    return best;
}

std::uint64_t KeyOf(const SuitSlice& suit) {
    std::uint64_t key = suit.runs ? 1 : 0;
    for (int i = 0; i < suit.size; ++i) {
        key = key * (kCopies + 1) + suit.counts[i];
        key = key * (kCopies + 1) + suit.called[i];
    }
    return key;
}

// Far more suits than a session meets; a fuzzer's stream is dropped and rebuilt past this.
constexpr std::size_t kCacheLimit = 1 << 18;

const SuitBest& LookUp(const SuitSlice& suit) {
    thread_local std::unordered_map<std::uint64_t, SuitBest> cache;
    const std::uint64_t key = KeyOf(suit);
    if (auto found = cache.find(key); found != cache.end()) {
        return found->second;
    }
    if (cache.size() >= kCacheLimit) {
        cache.clear();
    }
    return cache.emplace(key, ComputeSuit(suit)).first->second;
}

constexpr int kParts = 4;  // three suits and the honours

using Combined = std::array<std::array<int, kPairs>, kMaxSets + 1>;

Combined Nothing() {
    Combined none;
    for (auto& row : none) {
        row.fill(kUnreachable);
    }
    none[0][0] = 0;
    return none;
}

// The most tiles the parts so far and one more part use together, for up to `sets` sets.
Combined Combine(const Combined& total, const SuitBest& best, int sets) {
    Combined combined;
    for (auto& row : combined) {
        row.fill(kUnreachable);
    }
    for (int k = 0; k <= sets; ++k) {
        for (int p = 0; p < kPairs; ++p) {
            if (total[k][p] == kUnreachable) {
                continue;
            }
            for (int more = 0; k + more <= sets; ++more) {
                for (int pair = 0; p + pair < kPairs; ++pair) {
                    if (best[more][pair] != kUnreachable) {
                        int& slot = combined[k + more][p + pair];
                        slot = std::max(slot, total[k][p] + best[more][pair]);
                    }
                }
            }
        }
    }
    return combined;
}

SuitSlice PartOf(const TileCounts& concealed, const TileCounts& called, int part) {
    const auto first = static_cast<std::size_t>(part * kSuitSize);
    const bool honours = part == kParts - 1;
    return {concealed.data() + first, called.data() + first, honours ? kHonourKinds : kSuitSize,
            !honours};
}

// Shanten from the tiles the nearest winning hand of `sets` sets and a pair uses.
int FromCovered(int covered, int sets) {
    const int winningTiles = kSetTiles * sets + kPairTiles;
    return winningTiles - 1 - covered;
}

// The most tiles `rest` and `part` use together in a whole hand of `sets` sets and a pair.
int CoveredWith(const Combined& rest, const SuitBest& part, int sets) {
    int best = kUnreachable;
    for (int k = 0; k <= sets; ++k) {
        for (int p = 0; p < kPairs; ++p) {
            const int more = part[sets - k][1 - p];
            if (rest[k][p] != kUnreachable && more != kUnreachable) {
                best = std::max(best, rest[k][p] + more);
            }
        }
    }
    return best;
}

int SevenPairsFrom(int pairs, int singles) {
    // Seven different kinds, two of each: a pair uses two tiles, a single one.
    const int covered = kPairTiles * std::min(pairs, kSevenPairs) +
                        std::min(singles, std::max(0, kSevenPairs - pairs));
    return kWinningTiles - 1 - covered;
}

int ThirteenOrphansFrom(int kinds, bool pair) {
    return kWinningTiles - 1 - kinds - (pair ? 1 : 0);
}

}  // namespace

int StandardShanten(const TileCounts& concealed, int melds, const TileCounts& called) {
    const int sets = kMaxSets - melds;
    if (sets < 0) {
        return kNoForm;
    }
    Combined total = Nothing();
    for (int part = 0; part < kParts; ++part) {
        total = Combine(total, LookUp(PartOf(concealed, called, part)), sets);
    }
    return FromCovered(total[static_cast<std::size_t>(sets)][1], sets);
}

int SevenPairsShanten(const TileCounts& concealed, int melds) {
    if (melds > 0) {
        return kNoForm;
    }
    int pairs = 0;
    int singles = 0;
    for (const std::uint8_t n : concealed) {
        pairs += n >= kPairTiles;
        singles += n == 1;
    }
    return SevenPairsFrom(pairs, singles);
}

int ThirteenOrphansShanten(const TileCounts& concealed, int melds) {
    if (melds > 0) {
        return kNoForm;
    }
    int kinds = 0;
    bool pair = false;
    for (TileIndex t = 0; t < kTileKinds; ++t) {
        const int n = concealed[static_cast<std::size_t>(t)];
        if (IsTerminalOrHonour(t) && n > 0) {
            ++kinds;
            pair = pair || n >= kPairTiles;
        }
    }
    return ThirteenOrphansFrom(kinds, pair);
}

std::array<int, kTileKinds> ShantenAfterEachDraw(const TileCounts& concealed, int melds,
                                                 const TileCounts& called) {
    std::array<int, kTileKinds> after;
    after.fill(kNoForm);
    const int sets = kMaxSets - melds;
    if (sets < 0) {
        return after;
    }
    // The parts a draw leaves alone are combined once per part it changes.
    std::array<SuitBest, kParts> parts;
    for (int part = 0; part < kParts; ++part) {
        parts[static_cast<std::size_t>(part)] = LookUp(PartOf(concealed, called, part));
    }
    int pairs = 0;
    int singles = 0;
    int kinds = 0;
    bool orphanPair = false;
    for (TileIndex t = 0; t < kTileKinds; ++t) {
        const int n = concealed[static_cast<std::size_t>(t)];
        pairs += n >= kPairTiles;
        singles += n == 1;
        if (IsTerminalOrHonour(t) && n > 0) {
            ++kinds;
            orphanPair = orphanPair || n >= kPairTiles;
        }
    }
    TileCounts drawn = concealed;
    for (int part = 0; part < kParts; ++part) {
        Combined rest = Nothing();
        for (int other = 0; other < kParts; ++other) {
            if (other != part) {
                rest = Combine(rest, parts[static_cast<std::size_t>(other)], sets);
            }
        }
        const SuitSlice slice = PartOf(drawn, called, part);
        for (int i = 0; i < slice.size; ++i) {
            const TileIndex t = part * kSuitSize + i;
            auto& count = drawn[static_cast<std::size_t>(t)];
            if (count + called[static_cast<std::size_t>(t)] >= kCopies) {
                continue;
            }
            ++count;
            int shanten = FromCovered(CoveredWith(rest, LookUp(slice), sets), sets);
            --count;
            if (melds == 0) {
                const int n = count;
                shanten = std::min(shanten,
                                   SevenPairsFrom(pairs + (n == 1), singles + (n == 0) - (n == 1)));
                // Another tile is simply cut again.
                const bool orphan = IsTerminalOrHonour(t);
                shanten = std::min(shanten, ThirteenOrphansFrom(kinds + (orphan && n == 0),
                                                                orphanPair || (orphan && n == 1)));
            }
            after[static_cast<std::size_t>(t)] = shanten;
        }
    }
    return after;
}

int Shanten(const TileCounts& concealed, int melds, const TileCounts& called) {
    return std::min({StandardShanten(concealed, melds, called), SevenPairsShanten(concealed, melds),
                     ThirteenOrphansShanten(concealed, melds)});
}

int ShantenOf(const HandInput& hand) {
    TileCounts called{};
    for (const Meld& meld : hand.melds) {
        for (const Tile& t : meld.tiles) {
            ++called[static_cast<std::size_t>(t.index)];
        }
    }
    return Shanten(CountsOf(hand.concealed), static_cast<int>(hand.melds.size()), called);
}

}  // namespace velmarto::hand
