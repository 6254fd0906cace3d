// The rules an event must keep to be recorded, one function each: a figure in the ledger is only
// as exact as the event behind it could happen. A game recorded before a check existed is not
// held to it (Rules::Legacy).
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "engine/game/event.h"
#include "engine/game/game_error.h"
#include "engine/game/replay.h"
#include "engine/hand/hand_evaluator.h"

namespace velmarto::game {

inline constexpr int kMaxNameCharacters = 40;
inline constexpr int kMaxHanFu = 119;  // the score window's range for han given directly
inline constexpr int kLiableHan = 13;  // a yakuman's: the least a liable player can answer for

std::optional<GameError> CheckSeated(const Standings& s, PlayerIndex player);
// Not empty, no control characters, at most kMaxNameCharacters, not a seat letter, and none of
// `others`; a game recorded before these checks only needs names apart and not empty.
std::optional<GameError> CheckName(const Rules& rules, std::string_view name,
                                   const std::vector<std::string>& others);
// Once a hand; and, when a total below zero ends the game, only a player who can pay the stick.
std::optional<GameError> CheckRiichi(const Rules& rules, const Standings& s, PlayerIndex player);
// 1–119 han and a fu a hand can have on that way of winning.
std::optional<GameError> CheckHanFu(const Rules& rules, const HanFu& hanFu, bool tsumo);
// A hand claims riichi, double riichi or ippatsu only for a player who declared this hand.
std::optional<GameError> CheckDeclared(const Rules& rules, const hand::Declared& claimed,
                                       bool declared, PlayerIndex player);
// The liable player is at the table, not the winner and not the discarder.
std::optional<GameError> CheckLiablePlayer(const Rules& rules, const Standings& s, const Win& win,
                                           std::optional<PlayerIndex> discarder);
// A liable player answers for a yakuman: 13 han or more given as han and fu; given as a hand,
// 大三元, 大四喜 or 四槓子 with one of its sets called from someone (for 四槓子 an open quad).
std::optional<GameError> CheckLiableHanFu(const Rules& rules, const HanFu& hanFu);
std::optional<GameError> CheckLiableHand(const Rules& rules, const hand::HandInput& hand,
                                         const hand::HandResult& result);

}  // namespace velmarto::game
