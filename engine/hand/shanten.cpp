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

}  // namespace

int StandardShanten(const TileCounts& concealed, int melds, const TileCounts& called) {
    const int setsNeeded = kMaxSets - melds;
    if (setsNeeded < 0) {
        return kNoForm;
    }
    std::array<std::array<int, kPairs>, kMaxSets + 1> total;
    for (auto& row : total) {
        row.fill(kUnreachable);
    }
    total[0][0] = 0;
    constexpr std::array kSuits = {SuitSlice{nullptr, nullptr, kSuitSize, true},
                                   SuitSlice{nullptr, nullptr, kSuitSize, true},
                                   SuitSlice{nullptr, nullptr, kSuitSize, true},
                                   SuitSlice{nullptr, nullptr, kHonourKinds, false}};
    for (std::size_t s = 0; s < kSuits.size(); ++s) {
        SuitSlice suit = kSuits[s];
        const std::size_t first = s * kSuitSize;
        suit.counts = concealed.data() + first;
        suit.called = called.data() + first;
        const SuitBest& best = LookUp(suit);
        auto combined = total;
        for (auto& row : combined) {
            row.fill(kUnreachable);
        }
        for (int k = 0; k <= setsNeeded; ++k) {
            for (int p = 0; p < kPairs; ++p) {
                if (total[k][p] == kUnreachable) {
                    continue;
                }
                for (int more = 0; k + more <= setsNeeded; ++more) {
                    for (int pair = 0; p + pair < kPairs; ++pair) {
                        if (best[more][pair] != kUnreachable) {
                            int& slot = combined[k + more][p + pair];
                            slot = std::max(slot, total[k][p] + best[more][pair]);
                        }
                    }
                }
            }
        }
        total = combined;
    }
    const int winningTiles = kSetTiles * setsNeeded + kPairTiles;
    return winningTiles - 1 - total[setsNeeded][1];
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
    // Seven different kinds, two of each: a pair uses two tiles, a single one.
    const int covered = kPairTiles * std::min(pairs, kSevenPairs) +
                        std::min(singles, std::max(0, kSevenPairs - pairs));
    return kWinningTiles - 1 - covered;
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
    return kWinningTiles - 1 - kinds - (pair ? 1 : 0);
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
