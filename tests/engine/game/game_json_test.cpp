// The exchange format: a game exported and imported is the same game, a file of the first version
// still reads, and what is not a game is refused with one clear reason.
#include "engine/game/game_json.h"

#include <gtest/gtest.h>

#include "tests/engine/game/game_fixtures.h"

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
    rules.chomboKeepsSticks = true;
    Game game{rules, {"Aiko", "Ben", "七海", "Dai"}, {}, "水曜会", "2026-12-09T18:00:00Z", {}};
    HandDescription daisangen;
    daisangen.tiles = "123p777z99m";
    daisangen.melds = {{hand::MeldKind::Pon, "555z"}, {hand::MeldKind::Pon, "666z"}};
    HandDescription riichi{.tiles = "234567m234p6799s8s", .dora = "1m"};
    riichi.declared.riichi = true;
    riichi.declared.ippatsu = true;
    AppendAll(game,
              {Event{Riichi{1}}, Event{Ron{3, {Win{0, HanFu{2, 40}, {}}, Win{1, riichi, {}}}}},
               Event{Draw{{0, 2}}}, Event{Abort{}}, Event{Rename{2, "七瀬"}}, Event{FalseWin{2}},
               Event{AmendOf(3, Event{Draw{{2}}})}, Event{Tsumo{Win{0, daisangen, 1}}},
               Event{Undo{}}, Event{Tsumo{W(0, 3, 30)}}});
    return game;
}

TEST(GameJson, ExportThenImportIsTheSameGame) {
    Game game = SampleGame();
    game.finished = "2026-12-09T20:41:07Z";
    const std::string text = ExportGame(game);
    auto imported = ImportGame(text);
    ASSERT_TRUE(std::holds_alternative<Game>(imported))
        << static_cast<int>(std::get<GameError>(imported).code);
    const Game& back = std::get<Game>(imported);
    EXPECT_EQ(back.players, game.players);
    EXPECT_EQ(back.events, game.events);
    EXPECT_EQ(back.label, "水曜会");
    EXPECT_EQ(back.started, "2026-12-09T18:00:00Z");
    EXPECT_EQ(back.finished, "2026-12-09T20:41:07Z");
    EXPECT_EQ(RulesToJson(back.rules), RulesToJson(game.rules));
    EXPECT_TRUE(back.rules.chomboKeepsSticks);
    EXPECT_EQ(ExportGame(back), text);
    const Standings a = Replayed(game);
    const Standings b = Replayed(back);
    EXPECT_EQ(b.names, (std::vector<std::string>{"Aiko", "Ben", "七瀬", "Dai"}));
    EXPECT_EQ(StandingsToJson(game, a, "1"), StandingsToJson(back, b, "1"));
    EXPECT_EQ(HistoryToJson(a), HistoryToJson(b));
}

TEST(GameJson, EachEventReadsBackAlone) {
    for (const Event& event : SampleGame().events) {
        const std::string text = EventToJson(event);
        auto back = EventFromJson(text);
        ASSERT_TRUE(std::holds_alternative<Event>(back)) << text;
        EXPECT_EQ(std::get<Event>(back), event) << text;
    }
}

TEST(GameJson, AnEventAloneIsReadStrictly) {
    for (std::string_view text : {
             R"({"kind": "tsumo", "wins": []})",
             R"({"kind": "tsumo", "wins": [{"winner": 0, "han": 1, "fu": 30},
                                          {"winner": 1, "han": 1, "fu": 30}]})",
             R"({"kind": "ron", "discarder": 1, "player": 0, "wins": []})",
             R"({"kind": "ron", "discarder": 1, "wins": [{"winner": 0, "han": 1}]})",
             R"({"kind": "ron", "discarder": 1, "wins": [{"winner": 0, "han": 1, "fu": 30,
                                                         "hand": {"tiles": "11z"}}]})",
             R"({"kind": "amend", "position": 1})",
             R"({"kind": "rename", "player": 0, "name": 7})",
             R"({"kind": "pause"})",
             R"(["riichi", 0])",
         }) {
        auto read = EventFromJson(text);
        ASSERT_TRUE(std::holds_alternative<GameError>(read)) << text;
        EXPECT_EQ(std::get<GameError>(read).code, ErrorCode::Malformed) << text;
    }
}

// Every rule off its default reads back as it was written.
TEST(GameJson, EveryRuleReadsBack) {
    Rules r = DefaultRules(kThreePlayers);
    r.length = Length::East;
    r.startingPoints = Points(30000);
    r.ronHonba = RonHonba::EachWinner;
    r.sanmaTsumo = SanmaTsumo::Split;
    r.endBelowZero = true;
    r.endOnDealerTop = false;
    r.sticksToTop = false;
    r.chomboKeepsSticks = true;
    r.okaUma = true;
    r.returnPoints = Points(35000);
    r.uma = {30, 10, -10, -30};
    r.umaThree = {30, 0, -30};
    r.hand.doubleYakuman = false;
    r.hand.openTanyao = false;
    r.stick = 1500;
    r.ronHonbaPoints = 600;
    r.tsumoHonbaPoints = 200;
    r.notenTotal = 4000;
    r.falseWinFull = 6000;
    r.falseWinHalf = 3000;
    const std::string json = RulesToJson(r);
    for (const RuleField& field : kRuleFields) {
        EXPECT_NE(json.find("\"" + std::string(field.key) + "\""), std::string::npos) << field.key;
    }
    auto back = RulesFromJson(json);
    ASSERT_TRUE(std::holds_alternative<Rules>(back));
    const Rules& b = std::get<Rules>(back);
    EXPECT_EQ(RulesToJson(b), json);
    EXPECT_EQ(b.players, kThreePlayers);
    EXPECT_EQ(b.startingPoints, Points(30000));
    EXPECT_EQ(b.umaThree, (UmaThree{30, 0, -30}));
    EXPECT_FALSE(b.hand.openTanyao);
    EXPECT_EQ(b.stick, 1500);
    EXPECT_EQ(b.falseWinHalf, 3000);
}

// A file as the first version wrote it: every rule it knew, no label, no times.
constexpr std::string_view kVersionOne = R"({
  "format": "velmarto-game",
  "version": 1,
  "rules": {
    "players": 4,
    "length": "east-south",
    "starting_points": "25000",
    "ron_honba": "first-winner",
    "sanma_tsumo": "loss",
    "end_below_zero": false,
    "end_on_dealer_top": true,
    "sticks_to_top": true,
    "oka_uma": true,
    "return_points": "30000",
    "uma": [20, 10, -10, -20],
    "uma_three": [20, 0, -20],
    "double_yakuman": true,
    "open_tanyao": true
  },
  "players": ["A", "B", "C", "D"],
  "events": [
    {"kind": "riichi", "player": 1},
    {"kind": "ron", "discarder": 3, "wins": [{"winner": 1, "hand": {"tiles": "234567m234p6799s8s", "dora": "1m", "riichi": true}}]},
    {"kind": "chombo", "player": 0},
    {"kind": "draw", "tenpai": [2]},
    {"kind": "undo"},
    {"kind": "tsumo", "wins": [{"winner": 2, "han": 2, "fu": 20}]}
  ]
}
)";

TEST(GameJson, AFileOfTheFirstVersionStillReads) {
    auto imported = ImportGame(kVersionOne);
    ASSERT_TRUE(std::holds_alternative<Game>(imported))
        << static_cast<int>(std::get<GameError>(imported).code);
    const Game& game = std::get<Game>(imported);
    EXPECT_TRUE(game.label.empty());
    EXPECT_TRUE(game.started.empty());
    EXPECT_TRUE(game.rules.okaUma);
    ASSERT_EQ(game.events.size(), 6U);
    EXPECT_EQ(game.events[2], Event{FalseWin{A}});
    const Standings s = Replayed(game);
    // B's 立直 平和 ドラ1 3 han 30 fu, 3900 and the stick; A's false win, 4000 to the dealer B
    // and 2000 to C and D; C's self-drawn 2 han 20 fu, 700 from B and 400 from A and D.
    EXPECT_EQ(Decimals(s.points), (std::vector<std::string>{"16600", "32200", "28500", "22700"}));
    EXPECT_EQ(s.position, 6U);
    // Written again, it is a file of the present version.
    EXPECT_NE(ExportGame(game).find("\"version\": 2"), std::string::npos);
}

// Recorded before the ledger checked declarations: a second riichi in a hand, a draw that leaves
// a riichi player out, a false win with sticks on the table. It replays as it was recorded.
TEST(GameJson, AGameRecordedBeforeTheChecksKeepsItsFigures) {
    constexpr std::string_view kBefore = R"({"format": "velmarto-game", "version": 1,
      "rules": {"players": 4}, "players": ["A", "B", "C", "D"],
      "events": [{"kind": "riichi", "player": 1}, {"kind": "riichi", "player": 1},
                 {"kind": "draw", "tenpai": [0]}, {"kind": "chombo", "player": 2}]})";
    auto imported = ImportGame(kBefore);
    ASSERT_TRUE(std::holds_alternative<Game>(imported))
        << static_cast<int>(std::get<GameError>(imported).code);
    const Game& game = std::get<Game>(imported);
    EXPECT_TRUE(game.rules.Legacy());
    const Standings s = Replayed(game);
    // B's two sticks stay on the table; A alone tenpai takes 1000 from each; C's false win pays
    // 4000 to the dealer A and 2000 to B and D.
    EXPECT_EQ(Decimals(s.points), (std::vector<std::string>{"32000", "24000", "16000", "26000"}));
    EXPECT_EQ(s.sticks, 2);
    // Exported and imported again, it keeps the rules it was recorded under.
    auto again = ImportGame(ExportGame(game));
    ASSERT_TRUE(std::holds_alternative<Game>(again));
    EXPECT_EQ(Decimals(Replayed(std::get<Game>(again)).points), Decimals(s.points));
}

TEST(GameJson, ShowJsonCarriesExactDecimalStrings) {
    Game game = NewGame();
    ASSERT_FALSE(Append(game, Event{Ron{1, {W(0, 60, 110)}}}));
    const std::string json = StandingsToJson(game, Replayed(game), "7");
    EXPECT_NE(json.find(R"("id":"7","position":1)"), std::string::npos) << json;
    // 6 x 110 x 2^62 = 3043712772162076016640, rounded up to 100, on top of 25000.
    EXPECT_NE(json.find(R"({"name":"A","points":"3043712772162076041700",)"
                        R"("last_paid":"3043712772162076016700"})"),
              std::string::npos)
        << json;
    EXPECT_NE(json.find(R"("round":"東","hand":1,"honba":1,"sticks":0,"finished":false)"),
              std::string::npos)
        << json;
}

TEST(GameJson, NotJsonNamesTheLine) {
    const struct {
        std::string_view text;
        std::string_view line;
    } rows[] = {
        {"{\"format\": ", "1"},
        {"{\n  \"format\": \"velmarto-game\",\n  \"version\": 2,\n  \"rules\": {,\n}\n", "4"},
        {"{\n  \"players\": [\"A\", \"B\"\n  \"events\": []\n}\n", "3"},
        {"", "1"},
    };
    for (const auto& row : rows) {
        auto read = ImportGame(row.text);
        ASSERT_TRUE(std::holds_alternative<GameError>(read)) << row.text;
        const GameError& error = std::get<GameError>(read);
        EXPECT_EQ(error.code, ErrorCode::NotJson) << row.text;
        EXPECT_EQ(error.args, (std::vector<std::string>{std::string(row.line)})) << row.text;
    }
}

TEST(GameJson, RefusesWhatIsNotAGame) {
    const std::string good = ExportGame(SampleGame());
    const auto replaced = [&](std::string_view from, std::string_view to) {
        std::string text = good;
        const std::size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return at == std::string::npos ? text : text.replace(at, from.size(), to);
    };
    // A file that is not the format is refused as such, its fault the cause, named by the
    // format's own words; other refusals stand alone.
    const struct {
        std::string name;
        std::string text;
        ErrorCode code;
        std::vector<std::string> args;
    } rows[] = {
        {"another format",
         replaced("velmarto-game", "other-game"),
         ErrorCode::OtherFormat,
         {"velmarto-game"}},
        {"a newer version",
         replaced("\"version\": 2", "\"version\": 3"),
         ErrorCode::NewerFormat,
         {"3", "2"}},
        {"an unknown key in the game",
         replaced("\"label\"", "\"title\""),
         ErrorCode::UnknownKey,
         {"title", "velmarto-game"}},
        {"an unknown rule",
         replaced("\"oka_uma\"", "\"oka_umaa\""),
         ErrorCode::UnknownKey,
         {"oka_umaa", "rules"}},
        {"an unknown key in an event",
         replaced("\"discarder\"", "\"from\""),
         ErrorCode::UnknownKey,
         {"from", "ron"}},
        {"an unknown key in a hand",
         replaced("\"dora\"", "\"dora_indicator\""),
         ErrorCode::UnknownKey,
         {"dora_indicator", "hand"}},
        {"an unknown event",
         replaced("\"abort\"", "\"pause\""),
         ErrorCode::UnknownWord,
         {"kind", "pause"}},
        {"points as a number", replaced("\"30000\"", "30000"), ErrorCode::WrongType, {}},
        {"points with a sign",
         replaced("\"30000\"", "\"+30000\""),
         ErrorCode::NotDecimal,
         {"starting_points"}},
        {"five players", replaced("\"players\": 4", "\"players\": 5"), ErrorCode::PlayerCount, {}},
        {"a win from oneself",
         replaced("\"discarder\": 3", "\"discarder\": 0"),
         ErrorCode::AtEvent,
         {"2"}},
        // Read as 3 and 4 by a plain conversion: figures the file does not hold.
        {"a seat past 2^32",
         replaced("\"discarder\": 3", "\"discarder\": 4294967299"),
         ErrorCode::NotWhole,
         {"discarder"}},
        {"a fraction of a seat",
         replaced("\"players\": 4", "\"players\": 4.5"),
         ErrorCode::NotWhole,
         {"players"}},
        {"a fraction of a han",
         replaced("\"han\": 3", "\"han\": 3.5"),
         ErrorCode::NotWhole,
         {"han"}},
        {"a whole number written with a point",
         replaced("\"version\": 2", "\"version\": 2.0"),
         ErrorCode::NotWhole,
         {"version"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        auto read = ImportGame(row.text);
        ASSERT_TRUE(std::holds_alternative<GameError>(read));
        const GameError& error = std::get<GameError>(read);
        const bool notTheFormat = error.code == ErrorCode::Malformed;
        ASSERT_TRUE(!notTheFormat || error.cause);
        const GameError& fault = notTheFormat ? *error.cause : error;
        EXPECT_EQ(fault.code, row.code);
        EXPECT_EQ(fault.args, row.args);
    }
}

}  // namespace
}  // namespace velmarto::game
