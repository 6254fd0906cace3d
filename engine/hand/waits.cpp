// Waits come from shanten: a tile that takes the hand to "complete" is a wait, one that lowers the
// shanten is useful. Only the waits are scored, each as `hand` would score it, so what a wait
// pays here is what `hand` says once it is drawn or called.
#include "engine/hand/waits.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace velmarto::hand {
namespace {

// The hand's own counts, split as shanten and "left" need them.
struct Counts {
    TileCounts concealed{};
    TileCounts called{};
    TileCounts indicators{};
    int melds = 0;
};

Counts CountsOfHand(const HandInput& hand) {
    Counts counts;
    counts.concealed = CountsOf(hand.concealed);
    for (const Meld& meld : hand.melds) {
        for (const Tile& t : meld.tiles) {
            ++counts.called[static_cast<std::size_t>(t.index)];
        }
    }
    for (const std::vector<Tile>* indicators : {&hand.dora, &hand.ura}) {
        for (const Tile& t : *indicators) {
            ++counts.indicators[static_cast<std::size_t>(t.index)];
        }
    }
    counts.melds = static_cast<int>(hand.melds.size());
    return counts;
}

int LeftOf(TileIndex t, const Counts& counts) {
    const auto i = static_cast<std::size_t>(t);
    return kCopies - counts.concealed[i] - counts.called[i] - counts.indicators[i];
}

bool Among(TileIndex t, std::span<const Tile> tiles) {
    return std::any_of(tiles.begin(), tiles.end(), [t](const Tile& x) { return x.index == t; });
}

// `hand` holding the winning tile scored one way; the situation's flags for the other way dropped.
std::variant<HandScore, NotationError> ScoreOneWay(HandInput& hand, bool tsumo, Figures style) {
    const Situation asWritten = hand.situation;
    hand.situation = SituationFor(asWritten, tsumo);
    auto scored = ScoreHand(hand, style);
    hand.situation = asWritten;
    return scored;
}

// The result of `hand` with `win` added: scored on a tsumo, and on a ron unless furiten.
std::variant<WaitResult, NotationError> ScoreWait(HandInput& hand, Tile win, int left, bool furiten,
                                                  Figures style) {
    WaitResult result{win, left, std::nullopt, {}};
    hand.concealed.push_back(win);
    hand.win = win;
    auto tsumo = ScoreOneWay(hand, true, style);
    std::optional<std::variant<HandScore, NotationError>> ron;
    if (!furiten) {
        ron = ScoreOneWay(hand, false, style);
    }
    hand.concealed.pop_back();
    for (auto* scored : {&tsumo, ron ? &*ron : nullptr}) {
        if (scored != nullptr) {
            if (auto* error = std::get_if<NotationError>(scored)) {
                return *error;
            }
        }
    }
    result.tsumo = std::get<HandScore>(std::move(tsumo));
    if (ron) {
        result.ron = std::get<HandScore>(std::move(*ron));
    }
    return result;
}

// Thirteen tiles: shanten, the tiles that lower it, and the waits scored when tenpai.
struct Thirteen {
    int shanten = 0;
    bool furiten = false;
    std::vector<TileLeft> useful;
    std::vector<WaitResult> waits;
};

std::variant<Thirteen, NotationError> AnalyzeThirteen(HandInput& hand, Counts counts,
                                                      std::span<const Tile> discards,
                                                      Figures style) {
    Thirteen out;
    out.shanten = Shanten(counts.concealed, counts.melds, counts.called);
    for (TileIndex t = 0; t < kTileKinds; ++t) {
        const auto i = static_cast<std::size_t>(t);
        // A tile whose every copy the hand holds cannot be drawn.
        if (counts.concealed[i] + counts.called[i] >= kCopies) {
            continue;
        }
        ++counts.concealed[i];
        const int after = Shanten(counts.concealed, counts.melds, counts.called);
        --counts.concealed[i];
        if (after < out.shanten) {
            out.useful.push_back({{t}, LeftOf(t, counts)});
        }
    }
    if (out.shanten != kTenpai) {
        return out;
    }
    out.furiten = std::any_of(out.useful.begin(), out.useful.end(), [&](const TileLeft& wait) {
        return Among(wait.tile.index, discards);
    });
    for (const TileLeft& wait : out.useful) {
        auto scored = ScoreWait(hand, wait.tile, wait.left, out.furiten, style);
        if (auto* error = std::get_if<NotationError>(&scored)) {
            return *error;
        }
        out.waits.push_back(std::get<WaitResult>(std::move(scored)));
    }
    return out;
}

// What a tsumo on the best wait pays, in base points' terms; nothing without a yaku.
double BestTsumo(const DiscardResult& discard) {
    double best = 0;
    for (const WaitResult& wait : discard.waits) {
        const HandResult& result = wait.tsumo.result;
        if (!result.NoYaku()) {
            best = std::max(best, std::ldexp(result.fu.total, result.han));
        }
    }
    return best;
}

bool BetterDiscard(const DiscardResult& a, const DiscardResult& b) {
    if (a.shanten != b.shanten) {
        return a.shanten < b.shanten;
    }
    if (a.UsefulLeft() != b.UsefulLeft()) {
        return a.UsefulLeft() > b.UsefulLeft();
    }
    const double tsumoA = BestTsumo(a);
    const double tsumoB = BestTsumo(b);
    if (tsumoA != tsumoB) {
        return tsumoA > tsumoB;
    }
    return a.tile.index != b.tile.index ? a.tile.index < b.tile.index : !a.tile.red;
}

std::variant<WaitAnalysis, NotationError> AnalyzeFourteen(const HandInput& hand,
                                                          std::span<const Tile> ownDiscards,
                                                          Figures style) {
    WaitAnalysis analysis;
    const Counts counts = CountsOfHand(hand);
    analysis.shanten = Shanten(counts.concealed, counts.melds, counts.called);
    std::vector<Tile> discards(ownDiscards.begin(), ownDiscards.end());
    discards.push_back({});
    HandInput rest = hand;
    for (std::size_t i = 0; i < hand.concealed.size(); ++i) {
        const Tile cut = hand.concealed[i];
        const auto first = std::find(hand.concealed.begin(), hand.concealed.end(), cut);
        if (first != hand.concealed.begin() + static_cast<std::ptrdiff_t>(i)) {
            continue;  // the same discard again
        }
        rest.concealed = hand.concealed;
        rest.concealed.erase(rest.concealed.begin() + static_cast<std::ptrdiff_t>(i));
        Counts left = counts;
        --left.concealed[static_cast<std::size_t>(cut.index)];
        discards.back() = cut;
        auto thirteen = AnalyzeThirteen(rest, left, discards, style);
        if (auto* error = std::get_if<NotationError>(&thirteen)) {
            return *error;
        }
        Thirteen& t = std::get<Thirteen>(thirteen);
        analysis.discards.push_back(
            {cut, t.shanten, std::move(t.useful), std::move(t.waits), t.furiten});
    }
    std::stable_sort(analysis.discards.begin(), analysis.discards.end(), BetterDiscard);
    if (analysis.shanten == kComplete) {
        // Scored on the tile written last, as `hand` reads it; furiten as the 13 before it wait.
        rest.concealed = hand.concealed;
        rest.concealed.pop_back();
        Counts before = counts;
        --before.concealed[static_cast<std::size_t>(hand.concealed.back().index)];
        auto thirteen = AnalyzeThirteen(rest, before, ownDiscards, style);
        if (auto* error = std::get_if<NotationError>(&thirteen)) {
            return *error;
        }
        auto win = ScoreWait(rest, hand.concealed.back(), LeftOf(hand.win.index, counts),
                             std::get<Thirteen>(thirteen).furiten, style);
        if (auto* error = std::get_if<NotationError>(&win)) {
            return *error;
        }
        analysis.win = std::get<WaitResult>(std::move(win));
    }
    return analysis;
}

NotationError WrongCount(int tiles) {
    return {std::to_string(tiles) +
                " tiles: a hand before its win has 13 (its waits) or 14 (what to cut), each "
                "called set counting 3 (quads too)",
            "13枚か14枚にしてください（" + std::to_string(tiles) + "枚）"};
}

}  // namespace

int DiscardResult::UsefulLeft() const {
    int sum = 0;
    for (const TileLeft& t : useful) {
        sum += t.left;
    }
    return sum;
}

Situation SituationFor(const Situation& situation, bool tsumo) {
    Situation s = situation;
    s.tsumo = tsumo;
    if (tsumo) {
        s.chankan = s.houtei = false;
    } else {
        s.rinshan = s.haitei = s.tenhou = s.chiihou = false;
    }
    return s;
}

std::variant<HandInput, NotationError> ReadWaitingHand(const HandText& text) {
    auto read = ReadHandTiles(text, [](int tiles) -> std::optional<NotationError> {
        if (tiles == kWaitingTiles || tiles == kHandTiles) {
            return std::nullopt;
        }
        return WrongCount(tiles);
    });
    if (auto* error = std::get_if<NotationError>(&read)) {
        return *error;
    }
    HandInput hand = std::get<HandInput>(std::move(read));
    hand.win = hand.concealed.back();
    for (const bool tsumo : {false, true}) {
        HandInput oneWay = hand;
        oneWay.situation = SituationFor(hand.situation, tsumo);
        if (auto error = CheckSituation(oneWay)) {
            return *error;
        }
    }
    return hand;
}

std::variant<WaitAnalysis, NotationError> AnalyzeWaits(const HandInput& hand,
                                                       std::span<const Tile> ownDiscards,
                                                       Figures style) {
    const int tiles = static_cast<int>(hand.concealed.size() + kSetTiles * hand.melds.size());
    if (tiles == kHandTiles) {
        return AnalyzeFourteen(hand, ownDiscards, style);
    }
    if (tiles != kWaitingTiles) {
        return WrongCount(tiles);
    }
    HandInput working = hand;
    auto thirteen = AnalyzeThirteen(working, CountsOfHand(hand), ownDiscards, style);
    if (auto* error = std::get_if<NotationError>(&thirteen)) {
        return *error;
    }
    Thirteen& t = std::get<Thirteen>(thirteen);
    WaitAnalysis analysis;
    analysis.shanten = t.shanten;
    analysis.furiten = t.furiten;
    if (t.shanten == kTenpai) {
        analysis.waits = std::move(t.waits);
    } else {
        analysis.useful = std::move(t.useful);
    }
    return analysis;
}

std::variant<WaitAnalysis, NotationError> AnalyzeWaits(const HandText& text,
                                                       std::string_view discards, Figures style) {
    auto read = ReadWaitingHand(text);
    if (auto* error = std::get_if<NotationError>(&read)) {
        return *error;
    }
    const HandInput& hand = std::get<HandInput>(read);
    std::vector<Tile> own;
    if (!discards.empty()) {
        auto parsed = ParseTiles(discards);
        if (auto* error = std::get_if<NotationError>(&parsed)) {
            return NotationError{"--discards: " + error->message, "捨て牌: " + error->japanese};
        }
        own = std::get<std::vector<Tile>>(std::move(parsed));
    }
    if (auto error = CheckCopies(hand, own)) {
        return *error;
    }
    return AnalyzeWaits(hand, own, style);
}

}  // namespace velmarto::hand
