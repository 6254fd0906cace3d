// What the game tests share: a new game, its replay, its points as text, a win given as han and
// fu, and a random event that can happen where a game stands.
#pragma once

#include <optional>
#include <random>
#include <string>
#include <vector>

#include "engine/game/replay.h"

namespace velmarto::game {

constexpr PlayerIndex A = 0, B = 1, C = 2, D = 3;

Win W(PlayerIndex winner, int han, int fu, std::optional<PlayerIndex> liable = std::nullopt);

// Players "A", "B", "C" (and "D") with the default rules for their number.
Game NewGame(int players = kMaxPlayers);

// The game replayed; a refusal fails the test and gives empty standings.
Standings Replayed(const Game& game);

std::vector<std::string> Decimals(const std::vector<Points>& points);

// Appends each event, failing the test on the first refused.
void AppendAll(Game& game, const std::vector<Event>& events);

// An event drawn at random that the game accepts where it stands: riichi only from a player
// who has not declared (and can pay the stick when going below zero ends the game), now and then
// an undo, no 20 fu on a discard, a liable player only for 13 han or more.
Event RandomEvent(std::mt19937& random, const Rules& rules, const Standings& standings);

// Random games of three and four players under varied rules, each played to its end.
std::vector<Game> RandomGames(unsigned seed, int perPlayerCount);

}  // namespace velmarto::game
