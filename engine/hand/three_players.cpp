// The three-player table's tile set is the four-player one without 2m-8m; the checks name the
// first tile or call that does not exist there.
#include "engine/hand/three_players.h"

#include <string>

namespace velmarto::hand {
namespace {

constexpr TileIndex kOneMan = 0;
constexpr TileIndex kNineMan = kSuitSize - 1;

bool Removed(TileIndex t) {
    return t > kOneMan && t < kNineMan;
}

// `where` and `whereJa` name the option and the box of tiles that are not the hand's own.
std::optional<NotationError> FirstRemoved(const std::vector<Tile>& tiles, std::string_view where,
                                          std::string_view whereJa) {
    for (const Tile& t : tiles) {
        if (Removed(t.index)) {
            const std::string name = TileName(t);
            const auto prefix = [](std::string_view place) {
                return place.empty() ? std::string() : std::string(place) + ": ";
            };
            return NotationError{
                prefix(where) + name + " is not used with three players (no 2m-8m)",
                prefix(whereJa) + "三人麻雀に" + name + "はありません（2m〜8mは使いません）"};
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<NotationError> CheckThreePlayers(const HandInput& hand) {
    const Situation& s = hand.situation;
    if (s.kita < 0) {
        return NotationError{"--kita counts the 北 set aside: 0 or more",
                             "抜きドラの数が正しくありません"};
    }
    if (hand.rules.players != kThreePlayerSeats) {
        if (s.kita > 0) {
            return NotationError{"--kita needs --players 3", "抜きドラは三人麻雀のときだけです"};
        }
        return std::nullopt;
    }
    const struct {
        const std::vector<Tile>* tiles;
        std::string_view where;
        std::string_view whereJa;
    } places[] = {{&hand.concealed, "", ""},
                  {&hand.dora, "--dora", "ドラ表示牌"},
                  {&hand.ura, "--ura", "裏ドラ表示牌"}};
    for (const auto& place : places) {
        if (auto error = FirstRemoved(*place.tiles, place.where, place.whereJa)) {
            return error;
        }
    }
    for (const Meld& meld : hand.melds) {
        if (meld.kind == MeldKind::Chi) {
            return NotationError{"no chi with three players", "チー: 三人麻雀にはありません"};
        }
        if (auto error = FirstRemoved(meld.tiles, MeldOption(meld.kind), MeldBoxName(meld.kind))) {
            return error;
        }
    }
    if (s.seatWind >= kThreePlayerSeats || s.roundWind >= kThreePlayerSeats) {
        return NotationError{"three players sit East, South and West only",
                             "三人麻雀の席は東・南・西です"};
    }
    const int norths = hand.AllCounts()[static_cast<std::size_t>(kNorth)] + s.kita;
    if (norths > kCopies) {
        return NotationError{
            "4z appears " + std::to_string(norths) + " times with the kita set aside; there are 4",
            "北が抜きドラと合わせて" + std::to_string(norths) + "枚あります"};
    }
    return std::nullopt;
}

TileIndex DoraOf(TileIndex indicator, int players) {
    if (players == kThreePlayerSeats && indicator == kOneMan) {
        return kNineMan;
    }
    if (players == kThreePlayerSeats && indicator == kNineMan) {
        return kOneMan;
    }
    return DoraOf(indicator);
}

}  // namespace velmarto::hand
