// The exchange format: a game exported and imported is the same game, and what is not a game is
// refused with one clear reason.
#include "engine/game/game_json.h"

#include <gtest/gtest.h>

namespace velmarto::game {
namespace {

Game SampleGame() {
    Rules rules = DefaultRules(kMaxPlayers);
    rules.length = Length::East;
    rules.ronHonba = RonHonba::EachWinner;
    rules.okaUma = true;
    rules.startingPoints = Points(30000);
    rules.uma = {30, 10, -10, -30};
    rules.hand.openTanyao = false;
    Game game{rules, {"Aiko", "Ben", "七海", "Dai"}, {}};
    HandDescription hand;
    hand.tiles = "123p777z99m";
    hand.melds = {{hand::MeldKind::Pon, "555z"}, {hand::MeldKind::Pon, "666z"}};
    HandDescription riichi{.tiles = "234567m234p6799s8s", .dora = "1m", .riichi = true};
    for (const Event& e :
         {RiichiEvent(1), RonEvent(3, {Win{0, HanFu{2, 40}, {}}, Win{1, riichi, {}}}),
          DrawEvent({0, 2}), AbortEvent(), FalseWinEvent(2), TsumoEvent(Win{0, hand, 1}),
          UndoEvent(), TsumoEvent(Win{0, HanFu{3, 30}, {}})}) {
        EXPECT_FALSE(Append(game, e));
    }
    return game;
}

TEST(GameJson, ExportThenImportIsTheSameGame) {
    const Game game = SampleGame();
    const std::string text = ExportGame(game);
    auto imported = ImportGame(text);
    ASSERT_TRUE(std::holds_alternative<Game>(imported)) << std::get<GameError>(imported).message;
    const Game& back = std::get<Game>(imported);
    EXPECT_EQ(back.players, game.players);
    EXPECT_EQ(back.events, game.events);
    EXPECT_EQ(RulesToJson(back.rules), RulesToJson(game.rules));
    EXPECT_EQ(ExportGame(back), text);
    const Standings a = std::get<Standings>(Replay(game));
    const Standings b = std::get<Standings>(Replay(back));
    EXPECT_EQ(StandingsToJson(game, a, "1"), StandingsToJson(back, b, "1"));
}

TEST(GameJson, ShowJsonCarriesExactDecimalStrings) {
    Game game{DefaultRules(kMaxPlayers), {"A", "B", "C", "D"}, {}};
    ASSERT_FALSE(Append(game, RonEvent(1, {Win{0, HanFu{60, 110}, {}}})));
    const std::string json = StandingsToJson(game, std::get<Standings>(Replay(game)), "7");
    EXPECT_NE(json.find(R"("id":"7")"), std::string::npos);
    // 6 x 110 x 2^62 = 3043712772162076016640, rounded up to 100, on top of 25000.
    EXPECT_NE(json.find(R"({"name":"A","points":"3043712772162076041700","last_paid":)"),
              std::string::npos)
        << json;
    EXPECT_NE(json.find(R"("round":"東","hand":1,"honba":1,"sticks":0,"finished":false)"),
              std::string::npos)
        << json;
}

TEST(GameJson, RefusesWhatIsNotAGame) {
    const std::string good = ExportGame(SampleGame());
    const auto replaced = [&](std::string_view from, std::string_view to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    const struct {
        std::string name;
        std::string text;
        std::string_view reason;
    } rows[] = {
        {"not JSON", "{\"format\": ", "parse error"},
        {"another format", replaced("velmarto-game", "other-game"), "format is not"},
        {"a newer version", replaced("\"version\": 1", "\"version\": 2"), "format version 2"},
        {"an unknown rule", replaced("\"oka_uma\"", "\"oka_umaa\""), "unknown key 'oka_umaa'"},
        {"an unknown event", replaced("\"abort\"", "\"pause\""), "unknown event kind 'pause'"},
        {"points as a number", replaced("\"30000\"", "30000"), "type must be string"},
        {"points with a sign", replaced("\"30000\"", "\"+30000\""), "not a decimal integer"},
        {"five players", replaced("\"players\": 4", "\"players\": 5"), "3 or 4 players"},
        {"a win from oneself", replaced("\"discarder\": 3", "\"discarder\": 0"),
         "event 2: a player cannot ron their own discard"},
    };
    for (const auto& row : rows) {
        auto read = ImportGame(row.text);
        ASSERT_TRUE(std::holds_alternative<GameError>(read)) << row.name;
        EXPECT_NE(std::get<GameError>(read).message.find(row.reason), std::string::npos)
            << row.name << ": " << std::get<GameError>(read).message;
    }
}

}  // namespace
}  // namespace velmarto::game
