// How far a hand is from winning: the fewest tile exchanges from tenpai, over four sets and a
// pair, seven pairs and thirteen orphans.
#pragma once

#include <array>

#include "engine/hand/hand_input.h"
#include "engine/hand/tile.h"

namespace velmarto::hand {

inline constexpr int kComplete = -1;  // the shanten of a hand that already wins
inline constexpr int kTenpai = 0;
inline constexpr int kNoForm = 99;  // no shanten: a form the hand cannot take, a tile not drawn

// The shanten of 13 concealed tiles, or of 14 (the best discard's), with `melds` called sets;
// each called set counts 3 tiles. `called` holds the copies the called sets use, which the
// concealed tiles can then not be completed with: a wait on a fifth copy is no wait. Seven pairs
// and thirteen orphans count only for a hand without calls.
int Shanten(const TileCounts& concealed, int melds, const TileCounts& called = {});

// The shanten after drawing each tile, for 13 tiles: kNoForm for a tile the hand and its calls
// already hold all four of. Faster than a Shanten call per tile, since a draw changes one suit.
std::array<int, kTileKinds> ShantenAfterEachDraw(const TileCounts& concealed, int melds,
                                                 const TileCounts& called = {});

// The shanten of a hand's concealed tiles beside its called sets.
int ShantenOf(const HandInput& hand);

// The same for one form; a form the hand cannot take (seven pairs with calls) is kNoForm.
int StandardShanten(const TileCounts& concealed, int melds, const TileCounts& called = {});
int SevenPairsShanten(const TileCounts& concealed, int melds);
int ThirteenOrphansShanten(const TileCounts& concealed, int melds);

}  // namespace velmarto::hand
