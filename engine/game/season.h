// A season: every finished game of a club or a table folded into one row per player name, four-
// and three-player games apart.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/game/replay.h"

namespace velmarto::game {

struct LargestWin {
    Points points;  // what the winner took in that event, honba and sticks included
    int han = 0;
    int fu = 0;
};

struct PlayerSeason {
    std::string name;
    int games = 0;
    std::vector<int> places;      // how often first, second …
    int placeSum = 0;             // the average place is placeSum / games
    Points points;                // final totals less the starting points, summed
    std::optional<Points> score;  // oka and uma included, over the games that had them
    int wins = 0;
    int dealIns = 0;  // rons paid
    int riichi = 0;
    int falseWins = 0;
    std::optional<LargestWin> largest;
    int belowZero = 0;  // games in which the total went below zero

    // "2.33": the average place to two decimals, rounded half up.
    std::string AveragePlace() const;
};

struct Season {
    std::vector<PlayerSeason> four;
    std::vector<PlayerSeason> three;
};

struct SeasonGame {
    const Game* game;
    const Standings* standings;
};

// Finished games only; each list sorted by average place, then by points.
Season SeasonOf(const std::vector<SeasonGame>& games);

}  // namespace velmarto::game
