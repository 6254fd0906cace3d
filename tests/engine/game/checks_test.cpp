// What the ledger refuses, each refusal leaving the game as it was; and what a declaration, a
// false win and a liable player do to the payments when the event is taken.
#include "engine/game/checks.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "res/game_messages.h"
#include "tests/engine/game/game_fixtures.h"

namespace velmarto::game {
namespace {

// 平和 with one dora, 2 han 30 fu on a discard; given with the declarations asked for.
HandDescription Pinfu(hand::Declared declared = {}) {
    HandDescription d{.tiles = "234567m234p6799s8s", .dora = "1m"};
    d.declared = declared;
    return d;
}
constexpr hand::Declared kRiichi{.riichi = true};
constexpr hand::Declared kDoubleRiichi{.doubleRiichi = true};
constexpr hand::Declared kIppatsu{.ippatsu = true};

HandDescription Hand(std::string tiles, std::vector<std::pair<hand::MeldKind, std::string>> melds) {
    HandDescription d;
    d.tiles = std::move(tiles);
    d.melds = std::move(melds);
    return d;
}
// 大三元 with two dragon sets called, 14 han 40 fu with 混全帯幺九.
HandDescription CalledDaisangen() {
    return Hand("123p777z99m", {{hand::MeldKind::Pon, "555z"}, {hand::MeldKind::Pon, "666z"}});
}

struct Refused {
    std::string_view what;
    std::vector<Event> before;
    Event event;
    ErrorCode code;
    std::vector<std::string> args;
    bool endBelowZero = false;
};

std::vector<Refused> RefusedEvents() {
    const Event riichiB{Riichi{B}};
    const auto ronOnD = [](Win win) { return Event{Ron{D, {std::move(win)}}}; };
    return {
        {"riichi twice in a hand", {riichiB}, riichiB, ErrorCode::RiichiTwice, {"1"}},
        {"riichi that would go below zero, when that ends the game",
         {Event{Ron{B, {W(C, 3, 190)}}}},  // B pays 24400 and keeps 600
         riichiB,
         ErrorCode::RiichiBelowZero,
         {"1"},
         true},
        {"--riichi without the declaration",
         {},
         ronOnD(Win{B, Pinfu(kRiichi), {}}),
         ErrorCode::RiichiNotDeclared,
         {"1", "立直"}},
        {"--double-riichi without the declaration",
         {},
         ronOnD(Win{B, Pinfu(kDoubleRiichi), {}}),
         ErrorCode::RiichiNotDeclared,
         {"1", "ダブル立直"}},
        {"--ippatsu without the declaration",
         {},
         ronOnD(Win{B, Pinfu(kIppatsu), {}}),
         ErrorCode::RiichiNotDeclared,
         {"1", "一発"}},
        {"--riichi when another player declared",
         {Event{Riichi{C}}},
         ronOnD(Win{B, Pinfu(kRiichi), {}}),
         ErrorCode::RiichiNotDeclared,
         {"1", "立直"}},
        {"--riichi on a declaration of the hand before",
         {riichiB, Event{Draw{{B}}}},
         ronOnD(Win{B, Pinfu(kRiichi), {}}),
         ErrorCode::RiichiNotDeclared,
         {"1", "立直"}},
        {"a liable player on 3 han 30 fu",
         {},
         Event{Tsumo{W(A, 3, 30, B)}},
         ErrorCode::LiableNotYakuman,
         {"3"}},
        {"a liable player on 12 han",
         {},
         ronOnD(W(B, 12, 30, C)),
         ErrorCode::LiableNotYakuman,
         {"12"}},
        {"a liable player on a hand without 大三元, 大四喜 or 四槓子",
         {},
         ronOnD(Win{B, Pinfu(), C}),
         ErrorCode::LiableYaku,
         {}},
        {"a liable player on a 大三元 with its dragon sets concealed",
         {},
         Event{Tsumo{Win{A, Hand("123p555z666z777z99m", {}), B}}},
         ErrorCode::LiableNotCalled,
         {"大三元"}},
        {"a liable player on a 大三元 with a dragon quad declared concealed",
         {},
         Event{Tsumo{Win{A, Hand("123p666z777z99m", {{hand::MeldKind::Ankan, "5555z"}}), B}}},
         ErrorCode::LiableNotCalled,
         {"大三元"}},
        {"a liable player on a 大三元 whose only call is not a dragon",
         {},
         Event{Tsumo{Win{A, Hand("555z666z777z99m", {{hand::MeldKind::Pon, "111m"}}), B}}},
         ErrorCode::LiableNotCalled,
         {"大三元"}},
        {"the winner liable on a tsumo",
         {},
         Event{Tsumo{W(A, 13, 30, A)}},
         ErrorCode::LiableSelf,
         {"0"}},
        {"the winner liable on a ron", {}, ronOnD(W(B, 13, 30, B)), ErrorCode::LiableSelf, {"1"}},
        {"the discarder liable", {}, ronOnD(W(B, 13, 30, D)), ErrorCode::LiableDiscarder, {"3"}},
        {"a liable player not at the table",
         {},
         ronOnD(W(B, 13, 30, 4)),
         ErrorCode::NotSeated,
         {"4"}},
        {"1 han 20 fu", {}, Event{Tsumo{W(A, 1, 20)}}, ErrorCode::ImpossibleHanFu, {"1", "20"}},
        {"1 han 25 fu", {}, ronOnD(W(B, 1, 25)), ErrorCode::ImpossibleHanFu, {"1", "25"}},
        {"20 fu on a ron", {}, ronOnD(W(B, 4, 20)), ErrorCode::ImpossibleHanFu, {"4", "20"}},
        {"2 han 25 fu tsumo",
         {},
         Event{Tsumo{W(A, 2, 25)}},
         ErrorCode::ImpossibleHanFu,
         {"2", "25"}},
        {"a double ron with one impossible win pays neither",
         {riichiB},
         Event{Ron{D, {W(B, 3, 30), W(C, 1, 20)}}},
         ErrorCode::ImpossibleHanFu,
         {"1", "20"}},
        {"0 han", {}, Event{Tsumo{W(A, 0, 30)}}, ErrorCode::NoSuchHanFu, {"0", "30"}},
        {"35 fu", {}, Event{Tsumo{W(A, 2, 35)}}, ErrorCode::NoSuchHanFu, {"2", "35"}},
        {"a ron from one's own discard",
         {},
         Event{Ron{B, {W(B, 1, 30)}}},
         ErrorCode::RonOwnDiscard,
         {"1"}},
        {"a discarder not at the table",
         {},
         Event{Ron{4, {W(B, 1, 30)}}},
         ErrorCode::NotSeated,
         {"4"}},
        {"riichi from seat -1", {}, Event{Riichi{-1}}, ErrorCode::NotSeated, {"-1"}},
        {"the same winner twice",
         {},
         Event{Ron{A, {W(B, 1, 30), W(B, 2, 30)}}},
         ErrorCode::WinnerTwice,
         {"1"}},
        {"a ron without a winner", {}, Event{Ron{A, {}}}, ErrorCode::RonWinnerCount, {}},
        {"a tenpai player named twice", {}, Event{Draw{{A, A}}}, ErrorCode::TenpaiTwice, {"0"}},
        {"nothing to undo", {}, Event{Undo{}}, ErrorCode::NothingToUndo, {}},
        {"a hand without yaku",
         {},
         Event{Ron{B, {Win{A, Hand("123m456p789s23455s", {}), {}}}}},
         ErrorCode::NoYaku,
         {}},
    };
}

TEST(GameChecks, RefusedEventsLeaveTheGameAsItWas) {
    for (const Refused& row : RefusedEvents()) {
        SCOPED_TRACE(row.what);
        Game game = NewGame();
        game.rules.endBelowZero = row.endBelowZero;
        AppendAll(game, row.before);
        Standings s = Replayed(game);
        const Game gameBefore = game;
        const Standings before = s;
        const std::optional<GameError> error = Append(game, s, row.event);
        ASSERT_TRUE(error);
        EXPECT_EQ(error->code, row.code);
        EXPECT_EQ(error->args, row.args);
        EXPECT_EQ(game.events, gameBefore.events);
        EXPECT_EQ(Decimals(s.points), Decimals(before.points));
        EXPECT_EQ(s.sticks, before.sticks);
        EXPECT_EQ(RoundName(s), RoundName(before));
        EXPECT_EQ(s.declared, before.declared);
        EXPECT_EQ(s.history.size(), before.history.size());
        EXPECT_EQ(s.position, before.position);
    }
}

// What stands just inside each refusal above is taken.
TEST(GameChecks, AcceptedAtTheEdge) {
    const struct {
        std::string_view what;
        std::vector<Event> before;
        Event event;
    } rows[] = {
        {"2 han 20 fu tsumo", {}, Event{Tsumo{W(A, 2, 20)}}},
        {"2 han 25 fu ron", {}, Event{Ron{D, {W(B, 2, 25)}}}},
        {"3 han 25 fu tsumo", {}, Event{Tsumo{W(A, 3, 25)}}},
        {"119 han 200 fu", {}, Event{Tsumo{W(A, 119, 200)}}},
        {"a liable player on 13 han", {}, Event{Ron{D, {W(B, 13, 30, C)}}}},
        {"riichi below zero when that does not end the game",
         {Event{Ron{B, {W(C, 3, 190)}}}},
         Event{Riichi{B}}},
        {"riichi again after a draw", {Event{Riichi{B}}, Event{Draw{}}}, Event{Riichi{B}}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Game game = NewGame();
        AppendAll(game, row.before);
        const std::optional<GameError> error = Append(game, row.event);
        EXPECT_FALSE(error) << static_cast<int>(error->code);
    }
}

TEST(GameChecks, SetupThatCannotStand) {
    const auto with = [](int players, auto change) {
        Rules rules = DefaultRules(players);
        change(rules);
        return rules;
    };
    const auto same = [](Rules&) {};
    const std::vector<std::string> four = {"A", "B", "C", "D"};
    std::string forty;
    for (int i = 0; i < 40; ++i) {
        forty += "あ";
    }
    const std::string fortyOne = forty + "い";
    const struct {
        std::string_view what;
        Rules rules;
        std::vector<std::string> players;
        std::optional<ErrorCode> code;
        std::vector<std::string> args;
    } rows[] = {
        {"uma not summing to zero",
         with(4,
              [](Rules& r) {
                  r.okaUma = true;
                  r.uma = {30, 10, -10, -20};
              }),
         four,
         ErrorCode::UmaNotZero,
         {"10"}},
        {"three-player uma not summing to zero",
         with(3,
              [](Rules& r) {
                  r.okaUma = true;
                  r.umaThree = {20, 0, -10};
              }),
         {"A", "B", "C"},
         ErrorCode::UmaNotZero,
         {"10"}},
        {"the return below the start",
         with(4,
              [](Rules& r) {
                  r.okaUma = true;
                  r.returnPoints = Points(20000);
              }),
         four,
         ErrorCode::ReturnBelowStart,
         {"20000", "25000"}},
        {"the return at the start",
         with(4,
              [](Rules& r) {
                  r.okaUma = true;
                  r.returnPoints = Points(25000);
              }),
         four,
         {},
         {}},
        {"a three-player rule at four",
         with(4, [](Rules& r) { r.sanmaTsumo = SanmaTsumo::Split; }),
         four,
         ErrorCode::ThreePlayerRule,
         {"sanma_tsumo"}},
        {"the same rule at three",
         with(3, [](Rules& r) { r.sanmaTsumo = SanmaTsumo::Split; }),
         {"A", "B", "C"},
         {},
         {}},
        {"uma without oka and uma",
         with(4,
              [](Rules& r) {
                  r.uma = {30, 10, -10, -30};
              }),
         four,
         ErrorCode::UmaWithoutOkaUma,
         {}},
        {"a return without oka and uma",
         with(4, [](Rules& r) { r.returnPoints = Points(35000); }),
         four,
         ErrorCode::UmaWithoutOkaUma,
         {}},
        {"no starting points",
         with(4, [](Rules& r) { r.startingPoints = Points(0); }),
         four,
         ErrorCode::StartNotPositive,
         {}},
        {"a name with a tab",
         with(4, same),
         {"A", "B\tC", "C", "D"},
         ErrorCode::NameControl,
         {"B\tC"}},
        {"a name with a line break",
         with(4, same),
         {"A", "B", "C\n", "D"},
         ErrorCode::NameControl,
         {"C\n"}},
        {"a name of 41 characters",
         with(4, same),
         {"A", fortyOne, "C", "D"},
         ErrorCode::NameTooLong,
         {fortyOne, "40"}},
        {"a name of 40 characters", with(4, same), {"A", forty, "C", "D"}, {}, {}},
        {"a name twice", with(4, same), {"A", "B", "A", "D"}, ErrorCode::NameTaken, {"A"}},
        {"a seat letter as a name",
         with(4, same),
         {"A", "B", "W", "D"},
         ErrorCode::NameTaken,
         {"W"}},
        {"an empty name", with(4, same), {"A", "", "C", "D"}, ErrorCode::NameEmpty, {}},
        {"three names at four", with(4, same), {"A", "B", "C"}, ErrorCode::NameCount, {"4", "3"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const std::optional<GameError> error = CheckSetup(row.rules, row.players);
        ASSERT_EQ(error.has_value(), row.code.has_value());
        if (error) {
            EXPECT_EQ(error->code, *row.code);
            EXPECT_EQ(error->args, row.args);
        }
    }
}

// The last row of the history: what the event did.
Effect LastEffect(const Game& game) {
    const Standings s = Replayed(game);
    if (s.history.empty()) {
        ADD_FAILURE() << "no event stands";
        return {};
    }
    return s.history.back();
}

bool HasYaku(const WinFigures& win, std::string_view line) {
    return std::find(win.yaku.begin(), win.yaku.end(), line) != win.yaku.end();
}

// B wins on D's discard with 平和 and a dora: 立直 comes from the declaration, whether the hand
// says it or not, and ダブル立直 or 一発 only from the hand.
TEST(GameChecks, RiichiCountedFromTheDeclaration) {
    const struct {
        std::string_view what;
        bool declares;
        HandDescription hand;
        bool tsumo;
        int han;  // 0: refused
        std::vector<std::string_view> with;
        std::vector<std::string_view> without;
    } rows[] = {
        {"declared, the hand silent", true, Pinfu(), false, 3, {"立直 1飜"}, {}},
        {"declared, the hand saying --riichi", true, Pinfu(kRiichi), false, 3, {"立直 1飜"}, {}},
        {"declared, a self-draw", true, Pinfu(), true, 4, {"立直 1飜", "門前清自摸和 1飜"}, {}},
        {"not declared, the hand silent", false, Pinfu(), false, 2, {}, {"立直 1飜"}},
        {"not declared, the hand saying --riichi", false, Pinfu(kRiichi), false, 0, {}, {}},
        {"declared on the first turn",
         true,
         Pinfu(kDoubleRiichi),
         false,
         4,
         {"ダブル立直 2飜"},
         {"立直 1飜"}},
        {"declared, won within one turn",
         true,
         Pinfu(kIppatsu),
         false,
         4,
         {"立直 1飜", "一発 1飜"},
         {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Game game = NewGame();
        if (row.declares) {
            AppendAll(game, {Event{Riichi{B}}});
        }
        const Win win{B, row.hand, {}};
        const Event event = row.tsumo ? Event{Tsumo{win}} : Event{Ron{D, {win}}};
        const std::optional<GameError> error = Append(game, event);
        if (row.han == 0) {
            ASSERT_TRUE(error);
            EXPECT_EQ(error->code, ErrorCode::RiichiNotDeclared);
            continue;
        }
        ASSERT_FALSE(error) << static_cast<int>(error->code);
        const Effect& effect = LastEffect(game);
        ASSERT_EQ(effect.wins.size(), 1U);
        EXPECT_EQ(effect.wins[0].han, row.han);
        for (std::string_view line : row.with) {
            EXPECT_TRUE(HasYaku(effect.wins[0], line)) << line;
        }
        for (std::string_view line : row.without) {
            EXPECT_FALSE(HasYaku(effect.wins[0], line)) << line;
        }
    }
    // The 3 han 30 fu of a declared riichi: 3900 and the stick, as the hand engine pays it.
    Game game = NewGame();
    AppendAll(game, {Event{Riichi{B}}, Event{Ron{D, {Win{B, Pinfu(), {}}}}}});
    EXPECT_EQ(Decimals(Replayed(game).points),
              (std::vector<std::string>{"25000", "28900", "25000", "21100"}));
}

TEST(GameChecks, ARiichiPlayerIsTenpaiAtADraw) {
    const struct {
        std::string_view what;
        std::vector<Event> events;
        std::vector<std::string> points;
        std::string_view round;
    } rows[] = {
        {"B declared, nobody listed",
         {Event{Riichi{B}}, Event{Draw{}}},
         {"24000", "27000", "24000", "24000"},
         "東2局 1本場"},
        {"B declared and listed",
         {Event{Riichi{B}}, Event{Draw{{B}}}},
         {"24000", "27000", "24000", "24000"},
         "東2局 1本場"},
        {"B declared, A listed",
         {Event{Riichi{B}}, Event{Draw{{A}}}},
         {"26500", "25500", "23500", "23500"},
         "東1局 1本場"},
        {"the dealer declared, nobody listed: the dealer keeps the seat",
         {Event{Riichi{A}}, Event{Draw{}}},
         {"27000", "24000", "24000", "24000"},
         "東1局 1本場"},
        {"all declared",
         {Event{Riichi{A}}, Event{Riichi{B}}, Event{Riichi{C}}, Event{Riichi{D}}, Event{Draw{}}},
         {"24000", "24000", "24000", "24000"},
         "東1局 1本場"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Game game = NewGame();
        AppendAll(game, row.events);
        const Standings s = Replayed(game);
        EXPECT_EQ(Decimals(s.points), row.points);
        EXPECT_EQ(RoundName(s), row.round);
    }
}

// D's false win (the dealer A takes 4000, the others 2000, or the dealer B later) voids the hand:
// the sticks declared in it go back, unless the rules leave them; an earlier hand's stay.
TEST(GameChecks, AFalseWinReturnsTheHandsSticks) {
    const struct {
        std::string_view what;
        bool keepsSticks;
        std::vector<Event> events;
        std::vector<std::string> points;
        int sticks;
        int sticksMoved;  // by the false win's row
        std::string_view round;
    } rows[] = {
        {"B's and C's sticks back",
         false,
         {Event{Riichi{B}}, Event{Riichi{C}}, Event{FalseWin{D}}},
         {"29000", "27000", "27000", "17000"},
         0,
         -2,
         "東1局 0本場"},
        {"the rules keep them on the table",
         true,
         {Event{Riichi{B}}, Event{Riichi{C}}, Event{FalseWin{D}}},
         {"29000", "26000", "26000", "17000"},
         2,
         0,
         "東1局 0本場"},
        {"a stick of the drawn hand before stays",
         false,
         {Event{Riichi{B}}, Event{Draw{{B}}}, Event{Riichi{C}}, Event{FalseWin{D}}},
         {"26000", "31000", "26000", "16000"},
         1,
         -1,
         "東2局 1本場"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Game game = NewGame();
        game.rules.chomboKeepsSticks = row.keepsSticks;
        AppendAll(game, row.events);
        const Standings s = Replayed(game);
        EXPECT_EQ(Decimals(s.points), row.points);
        EXPECT_EQ(s.sticks, row.sticks);
        EXPECT_EQ(s.history.back().sticks, row.sticksMoved);
        EXPECT_EQ(RoundName(s), row.round);
        // The hand is played again: nobody has declared in it yet.
        EXPECT_EQ(s.declared, std::vector<char>(4, 0));
        ASSERT_FALSE(Append(game, Event{Riichi{C}}));
    }
}

TEST(GameChecks, ALiablePlayerPays) {
    const struct {
        std::string_view what;
        std::vector<Event> before;
        Event event;
        std::vector<std::string> paid;  // by the event, A B C D
    } rows[] = {
        {"大三元 tsumo, C liable: C pays it all, the honba too",
         {Event{Abort{}}},
         Event{Tsumo{Win{B, CalledDaisangen(), C}}},
         {"0", "10486200", "-10486200", "0"}},
        {"大三元 on D's discard, C liable: half each, D the honba",
         {Event{Abort{}}},
         Event{Ron{D, {Win{B, CalledDaisangen(), C}}}},
         {"0", "10486100", "-5242900", "-5243200"}},
        {"the dealer's 13 han 30 fu ron: 5898300, C's half rounded up to 100",
         {Event{Abort{}}},
         Event{Ron{B, {W(A, 13, 30, C)}}},
         {"5898600", "-2949400", "-2949200", "0"}},
        {"13 han 30 fu tsumo given as han and fu, D liable",
         {},
         Event{Tsumo{W(B, 13, 30, D)}},
         {"0", "3932300", "0", "-3932300"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Game game = NewGame();
        AppendAll(game, row.before);
        AppendAll(game, {row.event});
        EXPECT_EQ(Decimals(LastEffect(game).paid), row.paid);
    }
}

// The other yakuman that carry a liable player, with a call that fed them: the liable player
// pays half of what the same ron pays the discarder alone, rounded up to 100.
TEST(GameChecks, ALiablePlayerAnswersForEachYakumanThatCarriesIt) {
    const struct {
        std::string_view what;
        HandDescription hand;
    } rows[] = {
        {"大四喜 with a called wind", Hand("111z222z333z99m", {{hand::MeldKind::Pon, "444z"}})},
        {"四槓子 with an open quad", Hand("55z", {{hand::MeldKind::Kan, "1111m"},
                                                  {hand::MeldKind::Ankan, "2222p"},
                                                  {hand::MeldKind::Ankan, "3333s"},
                                                  {hand::MeldKind::Ankan, "9999m"}})},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Game alone = NewGame();
        AppendAll(alone, {Event{Ron{D, {Win{B, row.hand, {}}}}}});
        Game liable = NewGame();
        AppendAll(liable, {Event{Ron{D, {Win{B, row.hand, C}}}}});
        const std::vector<Points> unshared = LastEffect(alone).paid;
        const std::vector<Points> paid = LastEffect(liable).paid;
        ASSERT_EQ(unshared.size(), 4U);
        ASSERT_EQ(paid.size(), 4U);
        const Points whole = unshared[B];
        EXPECT_EQ(paid[B], whole);
        int remainder = 0;
        EXPECT_EQ(-paid[C], whole.DividedBy(2, remainder).RoundedUpToHundred());
        EXPECT_EQ(paid[C] + paid[D], -whole);
    }
}

TEST(GameChecks, RefusalsInWords) {
    const std::vector<std::string> names = {"Aiko", "Ben", "Chie", "Dai"};
    const struct {
        GameError error;
        res::Language language;
        std::string words;
    } rows[] = {
        {Refuse(ErrorCode::RiichiNotDeclared, {"1", "一発"}), res::Language::English,
         "Ben did not declare riichi in this hand, so the hand cannot count 一発"},
        {Refuse(ErrorCode::RiichiTwice, {"2"}), res::Language::Japanese,
         "Chieはこの局ですでに立直しています"},
        {Refuse(ErrorCode::ImpossibleHanFu, {"1", "20"}), res::Language::Japanese,
         "1飜20符になる手はありません（20符は2飜以上のツモ平和、25符は七対子です）"},
        {Because(ErrorCode::LaterEventBreaks, {"5"}, Refuse(ErrorCode::LiableDiscarder, {"3"})),
         res::Language::English,
         "the later event 5 could no longer happen: the discarder already pays a ron; the liable "
         "player is another (Dai)"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(res::DescribeGameError(row.error, row.language, names), row.words);
    }
}

}  // namespace
}  // namespace velmarto::game
