// An amend is the game replayed with the replacement in place, refused when a later event could no
// longer happen; a rename changes a name; undo takes either back.
#include <gtest/gtest.h>

#include "engine/game/replay.h"
#include "tests/engine/game/game_fixtures.h"

namespace velmarto::game {
namespace {

std::vector<Event> Played() {
    return {Event{Riichi{B}}, Event{Ron{D, {W(C, 3, 30)}}}, Event{Draw{{B}}},
            Event{Tsumo{W(A, 2, 30)}}, Event{Ron{A, {W(D, 1, 30)}}}};
}

Game GameOf(const std::vector<Event>& events) {
    Game game = NewGame();
    AppendAll(game, events);
    return game;
}

// The same standings, history row by row included; the position alone may differ.
void ExpectSameStandings(const Standings& a, const Standings& b) {
    EXPECT_EQ(a.names, b.names);
    EXPECT_EQ(Decimals(a.points), Decimals(b.points));
    EXPECT_EQ(a.sticks, b.sticks);
    EXPECT_EQ(RoundName(a), RoundName(b));
    EXPECT_EQ(a.finished, b.finished);
    EXPECT_EQ(a.declared, b.declared);
    ASSERT_EQ(a.history.size(), b.history.size());
    for (std::size_t i = 0; i < a.history.size(); ++i) {
        SCOPED_TRACE("history row " + std::to_string(i));
        EXPECT_EQ(a.history[i].position, b.history[i].position);
        EXPECT_EQ(a.history[i].event, b.history[i].event);
        EXPECT_EQ(Decimals(a.history[i].paid), Decimals(b.history[i].paid));
        EXPECT_EQ(a.history[i].sticks, b.history[i].sticks);
    }
}

TEST(GameAmend, EqualsTheGameWithTheReplacementInPlace) {
    const struct {
        std::string_view what;
        std::size_t position;
        Event replacement;
    } rows[] = {
        {"the han of a ron", 2, Event{Ron{D, {W(C, 4, 30)}}}},
        {"the discarder of a ron", 2, Event{Ron{A, {W(C, 3, 30)}}}},
        {"a ron that was a tsumo", 2, Event{Tsumo{W(C, 3, 30)}}},
        {"who declared riichi", 1, Event{Riichi{A}}},
        {"who was tenpai", 3, Event{Draw{{B, C}}}},
        {"the winner of a tsumo", 4, Event{Tsumo{W(D, 2, 30)}}},
        {"the last event", 5, Event{Abort{}}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Game amended = GameOf(Played());
        ASSERT_FALSE(Append(amended, Event{AmendOf(row.position, row.replacement)}));
        std::vector<Event> events = Played();
        events[row.position - 1] = row.replacement;
        const Standings s = Replayed(amended);
        ExpectSameStandings(s, Replayed(GameOf(events)));
        EXPECT_EQ(s.position, events.size() + 1);
    }
}

TEST(GameAmend, UndoTakesAnAmendBack) {
    Game game = GameOf(Played());
    AppendAll(game, {Event{AmendOf(2, Event{Ron{D, {W(C, 5, 30)}}})}});
    AppendAll(game, {Event{Undo{}}});
    ExpectSameStandings(Replayed(game), Replayed(GameOf(Played())));
    // The next undo takes the last event of the table back.
    AppendAll(game, {Event{Undo{}}});
    std::vector<Event> fewer = Played();
    fewer.pop_back();
    ExpectSameStandings(Replayed(game), Replayed(GameOf(fewer)));
}

TEST(GameAmend, RefusedLeavesTheGameAsItWas) {
    HandDescription riichi{.tiles = "234567m234p6799s8s", .dora = "1m"};
    riichi.declared.riichi = true;
    // C declares; C wins with a hand that says --riichi.
    const std::vector<Event> played = {Event{Riichi{B}}, Event{Riichi{C}},
                                       Event{Ron{D, {Win{C, riichi, {}}}}}, Event{Abort{}}};
    const struct {
        std::string_view what;
        Event amend;
        ErrorCode code;
        std::vector<std::string> args;
        std::optional<ErrorCode> cause;
    } rows[] = {
        {"C's riichi declared twice",
         Event{AmendOf(1, Event{Riichi{C}})},
         ErrorCode::LaterEventBreaks,
         {"2"},
         ErrorCode::RiichiTwice},
        {"C's --riichi without the declaration",
         Event{AmendOf(2, Event{Riichi{A}})},
         ErrorCode::LaterEventBreaks,
         {"3"},
         ErrorCode::RiichiNotDeclared},
        {"the replacement itself cannot happen",
         Event{AmendOf(4, Event{Ron{D, {W(D, 1, 30)}}})},
         ErrorCode::RonOwnDiscard,
         {"3"},
         {}},
        {"no event there", Event{AmendOf(9, Event{Abort{}})}, ErrorCode::NoEventAt, {"9"}, {}},
        {"position 0", Event{AmendOf(0, Event{Abort{}})}, ErrorCode::NoEventAt, {"0"}, {}},
        {"an undo in place of an event",
         Event{AmendOf(4, Event{Undo{}})},
         ErrorCode::AmendWithKind,
         {"undo"},
         {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Game game = GameOf(played);
        Standings s = Replayed(game);
        const Standings before = s;
        const std::optional<GameError> error = Append(game, s, row.amend);
        ASSERT_TRUE(error);
        EXPECT_EQ(error->code, row.code);
        EXPECT_EQ(error->args, row.args);
        ASSERT_EQ(error->cause != nullptr, row.cause.has_value());
        if (row.cause) {
            EXPECT_EQ(error->cause->code, *row.cause);
        }
        EXPECT_EQ(game.events, played);
        ExpectSameStandings(s, before);
        EXPECT_EQ(s.position, before.position);
    }
    // An undone event cannot be amended either.
    Game game = GameOf(played);
    AppendAll(game, {Event{Undo{}}});
    const std::optional<GameError> undone = Append(game, Event{AmendOf(4, Event{Abort{}})});
    ASSERT_TRUE(undone);
    EXPECT_EQ(undone->code, ErrorCode::NoEventAt);
}

// With a total below zero ending the game, a larger win amended in ends it early, and a smaller one
// opens a finished game again.
TEST(GameAmend, AnAmendCanEndTheGameOrOpenItAgain) {
    Game game = NewGame();
    game.rules.endBelowZero = true;
    AppendAll(game, {Event{Ron{B, {W(A, 1, 30)}}}, Event{Abort{}}});
    const Event bust{Ron{B, {W(A, 6, 30)}}};  // 46100 from B
    const std::optional<GameError> error = Append(game, Event{AmendOf(1, bust)});
    ASSERT_TRUE(error);
    EXPECT_EQ(error->code, ErrorCode::LaterEventBreaks);
    EXPECT_EQ(error->args, (std::vector<std::string>{"2"}));
    ASSERT_TRUE(error->cause);
    EXPECT_EQ(error->cause->code, ErrorCode::GameOver);

    Game over = NewGame();
    over.rules.endBelowZero = true;
    AppendAll(over, {bust});
    ASSERT_TRUE(Replayed(over).finished);
    AppendAll(over, {Event{AmendOf(1, Event{Ron{B, {W(A, 1, 30)}}})}, Event{Abort{}}});
    const Standings s = Replayed(over);
    EXPECT_FALSE(s.finished);
    EXPECT_EQ(Decimals(s.points), (std::vector<std::string>{"26500", "23500", "25000", "25000"}));
}

TEST(GameAmend, RenameChangesTheNameAndUndoRestoresIt) {
    Game game = GameOf(Played());
    AppendAll(game, {Event{Rename{B, "Bea"}}});
    Standings s = Replayed(game);
    EXPECT_EQ(s.names, (std::vector<std::string>{"A", "Bea", "C", "D"}));
    EXPECT_EQ(game.players, (std::vector<std::string>{"A", "B", "C", "D"}));
    EXPECT_EQ(s.position, 6U);
    EXPECT_EQ(s.history.size(), Replayed(GameOf(Played())).history.size());

    const struct {
        std::string_view what;
        Event rename;
        ErrorCode code;
    } refused[] = {
        {"the name it has", Event{Rename{B, "Bea"}}, ErrorCode::SameName},
        {"another player's name", Event{Rename{B, "C"}}, ErrorCode::NameTaken},
        {"a tab", Event{Rename{B, "B\tea"}}, ErrorCode::NameControl},
        {"nobody there", Event{Rename{4, "E2"}}, ErrorCode::NotSeated},
    };
    for (const auto& row : refused) {
        SCOPED_TRACE(row.what);
        const std::optional<GameError> error = Append(game, s, row.rename);
        ASSERT_TRUE(error);
        EXPECT_EQ(error->code, row.code);
        EXPECT_EQ(game.events.size(), 6U);
        EXPECT_EQ(s.names[1], "Bea");
    }
    // The old name is free again once renamed.
    ASSERT_FALSE(Append(game, s, Event{Rename{C, "B"}}));
    EXPECT_EQ(s.names, (std::vector<std::string>{"A", "Bea", "B", "D"}));
    ASSERT_FALSE(Append(game, s, Event{Undo{}}));
    ASSERT_FALSE(Append(game, s, Event{Undo{}}));
    EXPECT_EQ(s.names, (std::vector<std::string>{"A", "B", "C", "D"}));
    ExpectSameStandings(s, Replayed(GameOf(Played())));
}

}  // namespace
}  // namespace velmarto::game
