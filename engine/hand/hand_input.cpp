// Hand checks: each one names the tile or the set the user has to change.
#include "engine/hand/hand_input.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>
#include <string>
#include <tuple>

#include "engine/hand/three_players.h"

namespace velmarto::hand {
namespace {

struct MeldShape {
    MeldKind kind;
    std::string_view option;
    int size;
    bool run;
    std::string_view japanese;
};
constexpr std::array kMeldShapes = {
    MeldShape{MeldKind::Chi, "--chi", 3, true, "チー"},
    MeldShape{MeldKind::Pon, "--pon", 3, false, "ポン"},
    MeldShape{MeldKind::Kan, "--kan", 4, false, "明槓"},
    MeldShape{MeldKind::Ankan, "--ankan", 4, false, "暗槓"},
};

const MeldShape& ShapeOf(MeldKind kind) {
    return *std::find_if(kMeldShapes.begin(), kMeldShapes.end(),
                         [kind](const MeldShape& shape) { return shape.kind == kind; });
}

// A notation error, told where it was found.
NotationError In(std::string_view where, std::string_view whereJa, NotationError error) {
    return {std::string(where) + ": " + error.message,
            std::string(whereJa) + ": " + error.japanese};
}

// Three tiles in order, one after the other in one suit.
bool IsRun(const std::vector<Tile>& tiles) {
    return !IsHonour(tiles[0].index) && SuitOf(tiles[0].index) == SuitOf(tiles[2].index) &&
           tiles[1].index == tiles[0].index + 1 && tiles[2].index == tiles[0].index + 2;
}

bool AllSame(const std::vector<Tile>& tiles) {
    return std::all_of(tiles.begin(), tiles.end(),
                       [&](const Tile& t) { return t.index == tiles.front().index; });
}

std::variant<std::vector<Tile>, NotationError> ReadIndicators(std::string_view notation,
                                                              std::string_view option,
                                                              std::string_view japanese) {
    if (notation.empty()) {
        return std::vector<Tile>{};
    }
    auto parsed = ParseTiles(notation);
    if (auto* error = std::get_if<NotationError>(&parsed)) {
        return In(option, japanese, *error);
    }
    return std::get<std::vector<Tile>>(std::move(parsed));
}

}  // namespace

std::string_view MeldOption(MeldKind kind) {
    return ShapeOf(kind).option;
}

std::string_view MeldBoxName(MeldKind kind) {
    return ShapeOf(kind).japanese;
}

std::variant<Meld, NotationError> ReadMeld(MeldKind kind, std::string_view notation) {
    const MeldShape& shape = ShapeOf(kind);
    const std::string where = std::string(shape.option) + " " + std::string(notation);
    auto parsed = ParseTiles(notation);
    if (auto* error = std::get_if<NotationError>(&parsed)) {
        return In(where, shape.japanese, *error);
    }
    std::vector<Tile> tiles = std::get<std::vector<Tile>>(std::move(parsed));
    std::sort(tiles.begin(), tiles.end(),
              [](const Tile& a, const Tile& b) { return a.index < b.index; });
    const bool fits =
        static_cast<int>(tiles.size()) == shape.size && (shape.run ? IsRun(tiles) : AllSame(tiles));
    if (!fits) {
        const std::string wanted = shape.run ? "a run of three tiles of one suit"
                                             : std::to_string(shape.size) + " copies of one tile";
        const std::string wantedJa =
            shape.run ? "同じ色の3枚の順子" : std::to_string(shape.size) + "枚の同じ牌";
        return NotationError{where + " is not " + wanted, std::string(shape.japanese) + " " +
                                                              std::string(notation) + " は" +
                                                              wantedJa + "ではありません"};
    }
    return Meld{kind, std::move(tiles)};
}

namespace {

// Where tiles were written, in the order the copies are counted: the hand first, so that a
// fifth copy is found where the user added it last.
struct TilePlace {
    std::span<const Tile> tiles;
    std::string where;    // the option, "" for the hand
    std::string whereJa;  // the box, "" for the hand
};

std::vector<TilePlace> PlacesOf(const HandInput& hand, std::span<const Tile> seen) {
    std::vector<TilePlace> places = {{hand.concealed, "", ""}};
    for (const Meld& meld : hand.melds) {
        const MeldShape& shape = ShapeOf(meld.kind);
        const std::string notation = CompactNotation(meld.tiles);
        places.push_back({meld.tiles, std::string(shape.option) + " " + notation,
                          std::string(shape.japanese) + " " + notation});
    }
    places.push_back({hand.dora, "--dora", "ドラ表示牌"});
    places.push_back({hand.ura, "--ura", "裏ドラ表示牌"});
    places.push_back({seen, "--discards", "捨て牌"});
    return places;
}

// The error told in the place where the tile too many was written: the hand's own, or one that
// names its box and says the tile there is the one too many.
NotationError TooMany(const TilePlace& place, NotationError inHand, std::string_view japanese) {
    if (place.where.empty()) {
        return inHand;
    }
    return {place.where + ": " + inHand.message, place.whereJa + ": " + std::string(japanese)};
}

}  // namespace

std::optional<NotationError> CheckCopies(const HandInput& hand, std::span<const Tile> seen) {
    const std::vector<TilePlace> places = PlacesOf(hand, seen);
    TileCounts total{};
    for (const TilePlace& place : places) {
        for (const Tile& t : place.tiles) {
            ++total[static_cast<std::size_t>(t.index)];
        }
    }
    TileCounts counts{};
    std::array<int, 3> reds{};
    for (const TilePlace& place : places) {
        for (const Tile& t : place.tiles) {
            const int n = ++counts[static_cast<std::size_t>(t.index)];
            if (n > kCopies) {
                const int all = total[static_cast<std::size_t>(t.index)];
                const std::string plain = TileName({t.index});
                return TooMany(
                    place,
                    {plain + " appears " + std::to_string(all) + " times (the hand, called sets" +
                         (seen.empty() ? " and indicators" : ", indicators and discards") +
                         " together); there are 4",
                     plain + "が" + std::to_string(all) + "枚あります"},
                    plain + "は" + std::to_string(n) + "枚目です（同じ牌は4枚まで）");
            }
            if (t.red && ++reds[static_cast<std::size_t>(SuitOf(t.index))] > 1) {
                const std::string name = TileName(t);
                return TooMany(place,
                               {"more than one red five " + name + "; there is one of each suit",
                                "赤ドラの" + name + "が2枚あります"},
                               "赤五の" + name + "は2枚目です（各色1枚まで）");
            }
        }
    }
    return std::nullopt;
}

std::optional<NotationError> CheckSituation(const HandInput& hand) {
    const Situation& s = hand.situation;
    const bool anyQuad = std::any_of(hand.melds.begin(), hand.melds.end(), [](const Meld& m) {
        return m.kind == MeldKind::Kan || m.kind == MeldKind::Ankan;
    });
    const bool called = !hand.Closed();
    // Each flag that needs another, or excludes one.
    const struct {
        bool bad;
        std::string_view message;
        std::string_view japanese;
    } checks[] = {
        {s.riichi && s.doubleRiichi, "choose one of --riichi and --double-riichi",
         "立直とダブル立直は同時に選べません"},
        {(s.riichi || s.doubleRiichi) && called,
         "riichi needs a closed hand (no --chi, --pon or --kan)", "副露した手で立直はできません"},
        {s.ippatsu && !s.riichi && !s.doubleRiichi, "--ippatsu needs --riichi or --double-riichi",
         "一発は立直のときだけです"},
        {s.rinshan && (!s.tsumo || !anyQuad), "--rinshan needs --tsumo and a quad",
         "嶺上開花はツモと槓が必要です"},
        {s.chankan && s.tsumo, "--chankan is a win on another player's discard, not --tsumo",
         "槍槓はロンのときだけです"},
        {s.haitei && !s.tsumo, "--haitei needs --tsumo (a win on the last discard is --houtei)",
         "海底摸月はツモのときだけです"},
        {s.houtei && s.tsumo, "--houtei is a win on the last discard, not --tsumo",
         "河底撈魚はロンのときだけです"},
        {s.tenhou && (!s.tsumo || !hand.Dealer() || !hand.melds.empty()),
         "--tenhou needs --tsumo, the East seat and no called sets",
         "天和は親のツモで副露なしのときだけです"},
        {s.chiihou && (!s.tsumo || hand.Dealer() || !hand.melds.empty()),
         "--chiihou needs --tsumo, a seat other than East and no called sets",
         "地和は子のツモで副露なしのときだけです"},
    };
    for (const auto& check : checks) {
        if (check.bad) {
            return NotationError{std::string(check.message), std::string(check.japanese)};
        }
    }
    if (!hand.ura.empty() && !s.riichi && !s.doubleRiichi) {
        return NotationError{"--ura needs --riichi or --double-riichi",
                             "裏ドラ表示牌: 立直のときだけです"};
    }
    return std::nullopt;
}

namespace {

std::variant<Tile, NotationError> ReadWinningTile(const HandText& text,
                                                  const std::vector<Tile>& concealed) {
    if (!text.win) {
        return concealed.back();
    }
    auto parsed = ParseTiles(*text.win);
    if (auto* error = std::get_if<NotationError>(&parsed)) {
        return In("--win", "和了牌", *error);
    }
    const auto& tiles = std::get<std::vector<Tile>>(parsed);
    if (tiles.size() != 1) {
        return NotationError{"--win names one tile, not '" + std::string(*text.win) + "'",
                             "和了牌は1枚です"};
    }
    if (std::find(concealed.begin(), concealed.end(), tiles[0]) == concealed.end()) {
        return NotationError{"--win " + TileName(tiles[0]) + " is not among the hand's tiles",
                             "和了牌" + TileName(tiles[0]) + "が手牌にありません"};
    }
    return tiles[0];
}

}  // namespace

std::vector<std::string> SplitWords(std::string_view text) {
    constexpr std::string_view kIdeographicSpace = "\u3000";  // what a Japanese keyboard types
    std::string spaced;
    spaced.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const bool ideographic = text.substr(i, kIdeographicSpace.size()) == kIdeographicSpace;
        spaced += ideographic ? ' ' : text[i];
        i += ideographic ? kIdeographicSpace.size() : 1;
    }
    // Split by hand rather than through a string stream, which would bring the whole of the
    // locale machinery into the page's WebAssembly.
    constexpr std::string_view kSpaces = " \t\n\v\f\r";
    std::vector<std::string> words;
    for (std::size_t start = spaced.find_first_not_of(kSpaces); start != std::string::npos;) {
        const std::size_t end = spaced.find_first_of(kSpaces, start);
        words.push_back(spaced.substr(start, end - start));
        start = spaced.find_first_not_of(kSpaces, end);
    }
    return words;
}

bool HandInput::Closed() const {
    return std::none_of(melds.begin(), melds.end(), [](const Meld& m) { return m.Called(); });
}

TileCounts HandInput::AllCounts() const {
    TileCounts counts = CountsOf(concealed);
    for (const Meld& meld : melds) {
        for (const Tile& t : meld.tiles) {
            ++counts[static_cast<std::size_t>(t.index)];
        }
    }
    return counts;
}

std::variant<HandInput, NotationError> ReadHandTiles(const HandText& text,
                                                     const TileCountCheck& checkCount) {
    HandInput hand;
    hand.situation = text.situation;
    hand.rules = text.rules;
    auto concealed = ParseTiles(text.tiles);
    if (auto* error = std::get_if<NotationError>(&concealed)) {
        return *error;
    }
    hand.concealed = std::get<std::vector<Tile>>(std::move(concealed));
    for (const auto& [kind, notation] : text.melds) {
        auto meld = ReadMeld(kind, notation);
        if (auto* error = std::get_if<NotationError>(&meld)) {
            return *error;
        }
        hand.melds.push_back(std::get<Meld>(std::move(meld)));
    }
    for (auto [indicators, notation, option, japanese] :
         {std::tuple{&hand.dora, text.dora, "--dora", "ドラ表示牌"},
          std::tuple{&hand.ura, text.ura, "--ura", "裏ドラ表示牌"}}) {
        auto read = ReadIndicators(notation, option, japanese);
        if (auto* error = std::get_if<NotationError>(&read)) {
            return *error;
        }
        *indicators = std::get<std::vector<Tile>>(std::move(read));
    }
    if (auto error = CheckCopies(hand)) {
        return *error;
    }
    const int tiles = static_cast<int>(hand.concealed.size() + kSetTiles * hand.melds.size());
    if (auto error = checkCount(tiles)) {
        return *error;
    }
    if (auto error = CheckThreePlayers(hand)) {
        return *error;
    }
    return hand;
}

std::string CountOutOfRangeJapanese(std::string_view box) {
    return std::string(box) + "は0〜" + std::to_string(kMaxHonbaOrSticks) + "の整数です";
}

std::string WrongCountJapanese(int tiles) {
    return "13枚か14枚にしてください（いま" + std::to_string(tiles) + "枚）";
}

std::variant<HandInput, NotationError> ReadHand(const HandText& text) {
    auto read = ReadHandTiles(text, [](int tiles) -> std::optional<NotationError> {
        if (tiles == kHandTiles) {
            return std::nullopt;
        }
        return NotationError{
            std::to_string(tiles) +
                " tiles: a winning hand has 14, each called set counting 3 (quads too)",
            tiles == kWaitingTiles ? "14枚にしてください（いま13枚）" : WrongCountJapanese(tiles)};
    });
    if (auto* error = std::get_if<NotationError>(&read)) {
        return *error;
    }
    HandInput hand = std::get<HandInput>(std::move(read));
    auto win = ReadWinningTile(text, hand.concealed);
    if (auto* error = std::get_if<NotationError>(&win)) {
        return *error;
    }
    hand.win = std::get<Tile>(win);
    if (auto error = CheckSituation(hand)) {
        return *error;
    }
    return hand;
}

int TilesToGo(const HandText& text) {
    // The tiles of a notation, none for a blank one, nullopt when it does not read.
    const auto tilesOf = [](std::string_view notation) -> std::optional<std::vector<Tile>> {
        if (SplitWords(notation).empty()) {
            return std::vector<Tile>{};
        }
        auto parsed = ParseTiles(notation);
        auto* tiles = std::get_if<std::vector<Tile>>(&parsed);
        return tiles ? std::optional(std::move(*tiles)) : std::nullopt;
    };
    std::optional<std::vector<Tile>> all = tilesOf(text.tiles);
    if (!all) {
        return 0;
    }
    int entered = static_cast<int>(all->size());
    int setsToFinish = 0;
    for (const auto& [kind, notation] : text.melds) {
        const std::optional<std::vector<Tile>> tiles = tilesOf(notation);
        const int size = ShapeOf(kind).size;
        if (!tiles || static_cast<int>(tiles->size()) > size) {
            return 0;
        }
        entered += kSetTiles;
        setsToFinish += size - static_cast<int>(tiles->size());
        all->insert(all->end(), tiles->begin(), tiles->end());
    }
    const TileCounts counts = CountsOf(*all);
    if (std::any_of(counts.begin(), counts.end(), [](int count) { return count > kCopies; })) {
        return 0;
    }
    return std::max(0, kHandTiles - entered) + setsToFinish;
}

}  // namespace velmarto::hand
