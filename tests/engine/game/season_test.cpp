// A season over three small finished games worked out by hand, two of four players and one of
// three, and an unfinished game that does not count.
#include "engine/game/season.h"

#include <gtest/gtest.h>

#include <numeric>

#include "tests/engine/game/game_fixtures.h"

namespace velmarto::game {
namespace {

Game EastGame(std::vector<std::string> players, bool okaUma, const std::vector<Event>& events) {
    Game game = NewGame(static_cast<int>(players.size()));
    game.players = std::move(players);
    game.rules.length = Length::East;
    game.rules.okaUma = okaUma;
    AppendAll(game, events);
    return game;
}

// Ends 31300 29300 24500 14900: Aiko, Ben, Chie, Dai.
Game First() {
    return EastGame({"Aiko", "Ben", "Chie", "Dai"}, false,
                    {Event{Riichi{1}}, Event{Ron{2, {W(1, 3, 30)}}},  // Ben 3900 and the stick
                     Event{Ron{0, {W(2, 1, 30)}}},                    // Chie 1000
                     Event{FalseWin{3}},                              // Dai pays 8000
                     Event{Draw{{0}}},                                // Aiko alone tenpai
                     Event{Tsumo{W(0, 2, 30)}}});                     // Aiko 2000 and 3 honba
}

// Ends 48100 -400 27300 25000 with oka and uma: Dai 58100, Ben 7300, Aiko -15000, Chie -50400.
Game Second() {
    return EastGame({"Dai", "Chie", "Ben", "Aiko"}, true,
                    {Event{Ron{1, {W(0, 5, 30)}}},  // the dealer Dai 23100 from Chie
                     Event{Ron{1, {W(2, 2, 30)}}},  // Ben 2000 and a honba: Chie below zero
                     Event{Draw{}}, Event{Draw{}}, Event{Draw{}}});
}

// Three players from 35000, the North share lost; Emi renamed Eri. Ends Aiko 30700, Ben 34300,
// Eri 40000.
Game Third() {
    return EastGame({"Aiko", "Ben", "Emi"}, false,
                    {Event{Rename{2, "Eri"}}, Event{Riichi{2}},
                     Event{Tsumo{W(2, 3, 30)}},       // Eri 2000 + 1000 and the stick
                     Event{Ron{0, {W(1, 2, 30)}}},    // the dealer Ben 2900
                     Event{Draw{{2}}},                // Eri alone tenpai: 2000
                     Event{Ron{1, {W(0, 1, 30)}}}});  // Aiko 1000 and 2 honba
}

struct Row {
    std::string name;
    std::vector<int> places;
    std::string average;
    std::string points;
    std::optional<std::string> score;
    int wins, dealIns, riichi, falseWins;
    std::string largest;  // "points han fu"
    int belowZero;
};

Row RowOf(const PlayerSeason& p) {
    const std::string largest = p.largest ? p.largest->points.Decimal() + " " +
                                                std::to_string(p.largest->han) + " " +
                                                std::to_string(p.largest->fu)
                                          : "";
    return {p.name,
            p.places,
            p.AveragePlace(),
            p.points.Decimal(),
            p.score ? std::optional(p.score->Decimal()) : std::nullopt,
            p.wins,
            p.dealIns,
            p.riichi,
            p.falseWins,
            largest,
            p.belowZero};
}

void ExpectRows(const std::vector<PlayerSeason>& season, const std::vector<Row>& expected) {
    ASSERT_EQ(season.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(expected[i].name);
        const Row row = RowOf(season[i]);
        const Row& want = expected[i];
        EXPECT_EQ(row.name, want.name);
        EXPECT_EQ(row.places, want.places);
        EXPECT_EQ(row.average, want.average);
        EXPECT_EQ(row.points, want.points);
        EXPECT_EQ(row.score, want.score);
        EXPECT_EQ(row.wins, want.wins);
        EXPECT_EQ(row.dealIns, want.dealIns);
        EXPECT_EQ(row.riichi, want.riichi);
        EXPECT_EQ(row.falseWins, want.falseWins);
        EXPECT_EQ(row.largest, want.largest);
        EXPECT_EQ(row.belowZero, want.belowZero);
        EXPECT_EQ(season[i].games, std::accumulate(want.places.begin(), want.places.end(), 0));
    }
}

TEST(Season, ThreeGamesWorkedOutByHand) {
    const std::vector<Game> games = {
        First(), Second(), Third(),
        EastGame({"Aiko", "Ben", "Chie", "Dai"}, false, {Event{Tsumo{W(3, 13, 30)}}})};
    std::vector<Standings> standings;
    for (const Game& game : games) {
        standings.push_back(Replayed(game));
    }
    ASSERT_TRUE(standings[0].finished && standings[1].finished && standings[2].finished);
    ASSERT_FALSE(standings[3].finished);
    std::vector<SeasonGame> season;
    for (std::size_t i = 0; i < games.size(); ++i) {
        season.push_back({&games[i], &standings[i]});
    }
    const Season s = SeasonOf(season);
    // Ben and Aiko both average second; Ben is ahead on points.
    ExpectRows(s.four,
               {
                   {"Ben", {0, 2, 0, 0}, "2.00", "6600", "7300", 2, 0, 1, 0, "4900 3 30", 0},
                   {"Aiko", {1, 0, 1, 0}, "2.00", "6300", "-15000", 1, 1, 0, 0, "2300 2 30", 0},
                   {"Dai", {1, 0, 0, 1}, "2.50", "13000", "58100", 1, 0, 0, 1, "23100 5 30", 0},
                   {"Chie", {0, 0, 1, 1}, "3.50", "-25900", "-50400", 1, 3, 0, 0, "1000 1 30", 1},
               });
    ExpectRows(s.three, {
                            {"Eri", {1, 0, 0}, "1.00", "5000", {}, 1, 0, 1, 0, "4000 3 30", 0},
                            {"Ben", {0, 1, 0}, "2.00", "-700", {}, 1, 1, 0, 0, "2900 2 30", 0},
                            {"Aiko", {0, 0, 1}, "3.00", "-4300", {}, 1, 1, 0, 0, "1600 1 30", 0},
                        });
}

TEST(Season, AveragePlaceRoundsHalfUp) {
    const struct {
        int placeSum, games;
        std::string_view average;
    } rows[] = {{7, 3, "2.33"}, {5, 3, "1.67"}, {9, 8, "1.13"}, {401, 200, "2.01"}, {0, 0, "-"}};
    for (const auto& row : rows) {
        PlayerSeason p;
        p.placeSum = row.placeSum;
        p.games = row.games;
        EXPECT_EQ(p.AveragePlace(), row.average) << row.placeSum << "/" << row.games;
    }
}

}  // namespace
}  // namespace velmarto::game
