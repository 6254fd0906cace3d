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

// `hand` holding the winning tile scored one way, the situation's flags for the other way
// dropped, into `score`: a scored hand is large, so it is written once, where it is kept.
std::optional<NotationError> ScoreOneWay(HandInput& hand, bool tsumo, Figures style,
                                         HandScore& score) {
    const Situation asWritten = hand.situation;
    hand.situation = SituationFor(asWritten, tsumo);
    auto scored = ScoreHand(hand, style);
    hand.situation = asWritten;
    if (auto* error = std::get_if<NotationError>(&scored)) {
        return *error;
    }
    score = std::get<HandScore>(std::move(scored));
    return std::nullopt;
}

// The result of `hand` with the wait's tile added: scored on a tsumo, and on a ron unless
// furiten.
std::optional<NotationError> ScoreWait(HandInput& hand, bool furiten, Figures style,
                                       WaitResult& wait) {
    hand.concealed.push_back(wait.tile);
    hand.win = wait.tile;
    std::optional<NotationError> error = ScoreOneWay(hand, true, style, wait.tsumo);
    if (!error && !furiten) {
        error = ScoreOneWay(hand, false, style, wait.ron.emplace());
    }
    hand.concealed.pop_back();
    return error;
}

// Thirteen tiles: shanten, the tiles that lower it, and the waits scored when tenpai.
struct Thirteen {
    int shanten = 0;
    bool furiten = false;
    std::vector<TileLeft> useful;
    std::vector<WaitResult> waits;
};

// The shape of 13 tiles: shanten, the tiles that lower it, and furiten when tenpai.
Thirteen ShapeOf(const Counts& counts, std::span<const Tile> discards) {
    Thirteen out;
    out.shanten = Shanten(counts.concealed, counts.melds, counts.called);
    const auto after = ShantenAfterEachDraw(counts.concealed, counts.melds, counts.called);
    for (TileIndex t = 0; t < kTileKinds; ++t) {
        if (after[static_cast<std::size_t>(t)] < out.shanten) {
            out.useful.push_back({{t}, LeftOf(t, counts)});
        }
    }
    out.furiten = out.shanten == kTenpai &&
                  std::any_of(out.useful.begin(), out.useful.end(), [&](const TileLeft& wait) {
                      return Among(wait.tile.index, discards);
                  });
    return out;
}

std::variant<Thirteen, NotationError> AnalyzeThirteen(HandInput& hand, const Counts& counts,
                                                      std::span<const Tile> discards,
                                                      Figures style) {
    Thirteen out = ShapeOf(counts, discards);
    if (out.shanten != kTenpai) {
        return out;
    }
    // A scored wait is large (the payments hold their digits); growing the list would copy them.
    out.waits.reserve(out.useful.size());
    for (const TileLeft& wait : out.useful) {
        WaitResult& result = out.waits.emplace_back();
        result.tile = wait.tile;
        result.left = wait.left;
        if (auto error = ScoreWait(hand, out.furiten, style, result)) {
            return *error;
        }
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
    // The plain five before the red one; false for a tile against itself, as a sort requires.
    return a.tile.index != b.tile.index ? a.tile.index < b.tile.index : b.tile.red && !a.tile.red;
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
    analysis.discards.reserve(hand.concealed.size());
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
    // Each discard is a different tile, so BetterDiscard orders them all: no stable sort needed.
    std::sort(analysis.discards.begin(), analysis.discards.end(), BetterDiscard);
    if (analysis.shanten == kComplete) {
        // Scored on the tile written last, as `hand` reads it; furiten as the 13 before it wait.
        const Tile last = hand.concealed.back();
        rest.concealed = hand.concealed;
        rest.concealed.pop_back();
        Counts before = counts;
        --before.concealed[static_cast<std::size_t>(last.index)];
        const bool furiten = ShapeOf(before, ownDiscards).furiten;
        WaitResult& win = analysis.win.emplace();
        win.tile = last;
        win.left = LeftOf(last.index, counts);
        if (auto error = ScoreWait(rest, furiten, style, win)) {
            return *error;
        }
    }
    return analysis;
}

NotationError WrongCount(int tiles) {
    return {std::to_string(tiles) +
                " tiles: a hand before its win has 13 (its waits) or 14 (what to cut), each "
                "called set counting 3 (quads too)",
            WrongCountJapanese(tiles)};
}

}  // namespace

int TotalLeft(std::span<const TileLeft> tiles) {
    int sum = 0;
    for (const TileLeft& t : tiles) {
        sum += t.left;
    }
    return sum;
}

int DiscardResult::UsefulLeft() const {
    return TotalLeft(useful);
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
