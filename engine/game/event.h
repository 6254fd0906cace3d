// What happened at the table, one event at a time: the only truth a game keeps. Each kind of
// event is its own type holding exactly what it needs, so two equal events compare equal.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "engine/hand/hand_input.h"

namespace velmarto::game {

// A player, by the seat taken at the start: 0 East, 1 South, 2 West, 3 North.
using PlayerIndex = int;

// A winning hand as the hand engine reads it, with owned text. What the table knows (seat, round,
// tsumo, honba, sticks, a declared riichi) is not part of it: the game supplies it.
struct HandDescription {
    std::string tiles;
    std::string win;  // empty: the last tile written
    std::vector<std::pair<hand::MeldKind, std::string>> melds;
    std::string dora;
    std::string ura;
    hand::Declared declared;
    int kita = 0;  // 北 set aside in a three-player game, each a dora
    bool operator==(const HandDescription&) const = default;
};

struct HanFu {
    int han = 1;
    int fu = 30;
    bool operator==(const HanFu&) const = default;
};

struct Win {
    PlayerIndex winner = 0;
    std::variant<HanFu, HandDescription> score;
    // 責任払い: the player who fed the completing call of 大三元, 大四喜 or 四槓子.
    std::optional<PlayerIndex> liable;
    bool operator==(const Win&) const = default;
};

struct Ron {
    PlayerIndex discarder = 0;
    std::vector<Win> wins;  // one per winner on the same discard, in any order
    bool operator==(const Ron&) const = default;
};
struct Tsumo {
    Win win;
    bool operator==(const Tsumo&) const = default;
};
struct Riichi {
    PlayerIndex player = 0;
    bool operator==(const Riichi&) const = default;
};
struct Draw {
    std::vector<PlayerIndex> tenpai;  // exhaustive draw: the players in tenpai
    bool operator==(const Draw&) const = default;
};
struct Abort {
    bool operator==(const Abort&) const = default;
};
struct FalseWin {
    PlayerIndex player = 0;
    bool operator==(const FalseWin&) const = default;
};
// Takes back the latest event not yet taken back: a hand's event, an amend or a rename.
struct Undo {
    bool operator==(const Undo&) const = default;
};
struct Event;
// Puts another event in place of the one at `position` (1 is the game's first event).
struct Amend {
    std::size_t position = 0;
    std::shared_ptr<const Event> replacement;  // never null; shared because it never changes
    bool operator==(const Amend& other) const;
};
struct Rename {
    PlayerIndex player = 0;
    std::string name;
    bool operator==(const Rename&) const = default;
};

enum class EventKind { Ron, Tsumo, Riichi, Draw, Abort, FalseWin, Undo, Amend, Rename };

struct Event {
    std::variant<Ron, Tsumo, Riichi, Draw, Abort, FalseWin, Undo, Amend, Rename> value;

    EventKind Kind() const { return static_cast<EventKind>(value.index()); }
    template <typename T>
    const T* As() const {
        return std::get_if<T>(&value);
    }
    // A hand's event: one that moves points or ends a hand (not an undo, amend or rename).
    bool AtTable() const;
    bool operator==(const Event&) const = default;
};

Amend AmendOf(std::size_t position, Event replacement);

// Who a hand's event is about: the winners, the player who declared or paid the false win, the
// tenpai players named at a draw. And who dealt in, on a ron.
std::vector<PlayerIndex> ActorsOf(const Event& event);
std::optional<PlayerIndex> DiscarderOf(const Event& event);

// Each kind once: its word in the exchange format and on the command line, and its label.
struct KindInfo {
    EventKind kind;
    std::string_view key;
    std::string_view label;
};
inline constexpr std::array kEventKinds = {
    KindInfo{EventKind::Ron, "ron", "ロン"},
    KindInfo{EventKind::Tsumo, "tsumo", "ツモ"},
    KindInfo{EventKind::Riichi, "riichi", "立直"},
    KindInfo{EventKind::Draw, "draw", "流局"},
    KindInfo{EventKind::Abort, "abort", "途中流局"},
    KindInfo{EventKind::FalseWin, "chombo", "チョンボ"},
    KindInfo{EventKind::Undo, "undo", "取り消し"},
    KindInfo{EventKind::Amend, "amend", "訂正"},
    KindInfo{EventKind::Rename, "rename", "名前の変更"},
};
const KindInfo& InfoOf(EventKind kind);
std::optional<EventKind> KindOfKey(std::string_view key);

}  // namespace velmarto::game
