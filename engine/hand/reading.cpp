// Decomposition by a small recursion over the 34 tile counts: the lowest tile left starts either
// a triplet or a sequence, and both are tried.
#include "engine/hand/reading.h"

namespace velmarto::hand {
namespace {

constexpr int kPairs = 7;
constexpr std::array<TileIndex, 13> kOrphans = {0, 8, 9, 17, 18, 26, 27, 28, 29, 30, 31, 32, 33};

struct Search {
    const HandInput& hand;
    const std::function<void(const Reading&)>& visit;
    Reading reading;
    int setCount = 0;
};

Wait SequenceWait(TileIndex first, TileIndex win) {
    if (win == first + 1) {
        return Wait::Kanchan;
    }
    const bool edge =
        (win == first + 2 && NumberOf(first) == 1) || (win == first && NumberOf(first) == 7);
    return edge ? Wait::Penchan : Wait::Ryanmen;
}

// One complete decomposition: each concealed set or the pair that holds the winning tile is a
// reading of its own.
void VisitWinningPlaces(Search& search, int concealedFrom) {
    const TileIndex win = search.hand.win.index;
    const Situation& situation = search.hand.situation;
    if (search.reading.pair == win) {
        Reading reading = search.reading;
        reading.wait = Wait::Tanki;
        search.visit(reading);
    }
    for (int i = concealedFrom; i < kSets; ++i) {
        const Set& set = search.reading.sets[static_cast<std::size_t>(i)];
        if (!set.Contains(win)) {
            continue;
        }
        Reading reading = search.reading;
        Set& completed = reading.sets[static_cast<std::size_t>(i)];
        if (set.kind == SetKind::Sequence) {
            reading.wait = SequenceWait(set.tile, win);
        } else {
            reading.wait = Wait::Shanpon;
            completed.concealed = situation.tsumo;
        }
        search.visit(reading);
    }
}

void ExtractSets(Search& search, TileCounts& counts, TileIndex from, int concealedFrom) {
    while (from < kTileKinds && counts[static_cast<std::size_t>(from)] == 0) {
        ++from;
    }
    if (from == kTileKinds) {
        if (search.setCount == kSets) {
            VisitWinningPlaces(search, concealedFrom);
        }
        return;
    }
    auto& n = counts[static_cast<std::size_t>(from)];
    Set& slot = search.reading.sets[static_cast<std::size_t>(search.setCount)];
    if (n >= 3) {
        n -= 3;
        slot = {SetKind::Triplet, from, true};
        ++search.setCount;
        ExtractSets(search, counts, from, concealedFrom);
        --search.setCount;
        n += 3;
    }
    const auto at = [&](int offset) -> auto& {
        return counts[static_cast<std::size_t>(from + offset)];
    };
    if (!IsHonour(from) && NumberOf(from) <= 7 && at(1) > 0 && at(2) > 0) {
        --n, --at(1), --at(2);
        search.reading.sets[static_cast<std::size_t>(search.setCount)] = {SetKind::Sequence, from,
                                                                          true};
        ++search.setCount;
        ExtractSets(search, counts, from, concealedFrom);
        --search.setCount;
        ++n, ++at(1), ++at(2);
    }
}

void VisitStandard(Search& search, TileCounts counts) {
    for (const Meld& meld : search.hand.melds) {
        const SetKind kind = meld.kind == MeldKind::Chi   ? SetKind::Sequence
                             : meld.kind == MeldKind::Pon ? SetKind::Triplet
                                                          : SetKind::Quad;
        search.reading.sets[static_cast<std::size_t>(search.setCount++)] = {kind, meld.first(),
                                                                            !meld.Called()};
    }
    const int concealedFrom = search.setCount;
    for (TileIndex pair = 0; pair < kTileKinds; ++pair) {
        auto& n = counts[static_cast<std::size_t>(pair)];
        if (n < 2) {
            continue;
        }
        n -= 2;
        search.reading.pair = pair;
        ExtractSets(search, counts, 0, concealedFrom);
        n += 2;
    }
    search.reading.pair = -1;
}

void VisitSevenPairs(const Search& search, const TileCounts& counts) {
    int pairs = 0;
    for (std::uint8_t n : counts) {
        pairs += n == 2;
    }
    if (pairs == kPairs) {
        Reading reading;
        reading.form = Form::SevenPairs;
        reading.wait = Wait::Tanki;
        search.visit(reading);
    }
}

void VisitThirteenOrphans(const Search& search, const TileCounts& counts) {
    for (TileIndex t : kOrphans) {
        if (counts[static_cast<std::size_t>(t)] == 0) {
            return;
        }
    }
    int orphans = 0;
    for (TileIndex t : kOrphans) {
        orphans += counts[static_cast<std::size_t>(t)];
    }
    if (orphans != kHandTiles) {
        return;
    }
    Reading reading;
    reading.form = Form::ThirteenOrphans;
    // Thirteen different orphans waiting on any of them: the winning tile is the doubled one.
    reading.wait = counts[static_cast<std::size_t>(search.hand.win.index)] == 2
                       ? Wait::ThirteenSided
                       : Wait::Tanki;
    search.visit(reading);
}

}  // namespace

void ForEachReading(const HandInput& hand, const std::function<void(const Reading&)>& visit) {
    const TileCounts counts = CountsOf(hand.concealed);
    Search search{hand, visit, {}, 0};
    VisitStandard(search, counts);
    if (hand.melds.empty()) {
        VisitSevenPairs(search, counts);
        VisitThirteenOrphans(search, counts);
    }
}

}  // namespace velmarto::hand
