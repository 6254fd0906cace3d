// The ways to read a winning hand: four sets and a pair, seven pairs, or thirteen orphans, each
// with the set the winning tile completed, which decides the wait.
#pragma once

#include <array>
#include <functional>

#include "engine/hand/hand_input.h"

namespace velmarto::hand {

enum class SetKind { Sequence, Triplet, Quad };

struct Set {
    SetKind kind;
    TileIndex tile;  // the lowest tile
    // Concealed for 暗刻 and fu: false for a called set, and for a triplet a ron completed.
    bool concealed;
    bool Contains(TileIndex t) const {
        return kind == SetKind::Sequence ? t >= tile && t <= tile + 2 : t == tile;
    }
};

enum class Form { Standard, SevenPairs, ThirteenOrphans };
enum class Wait { Ryanmen, Kanchan, Penchan, Shanpon, Tanki, ThirteenSided };

inline constexpr int kSets = 4;

struct Reading {
    Form form = Form::Standard;
    std::array<Set, kSets> sets{};  // standard form only
    TileIndex pair = -1;            // standard form only
    Wait wait = Wait::Tanki;
};

// Calls `visit` once for each reading of the hand and each place of its winning tile.
void ForEachReading(const HandInput& hand, const std::function<void(const Reading&)>& visit);

}  // namespace velmarto::hand
