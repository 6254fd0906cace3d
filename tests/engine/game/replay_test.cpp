// The replay against a hanchan worked out by hand, event by event; the invariants over random
// games (the totals, the history, Append against Replay); and undo as the game without the undone
// event.
#include "engine/game/replay.h"

#include <gtest/gtest.h>

#include <random>

#include "tests/engine/game/game_fixtures.h"

namespace velmarto::game {
namespace {

// 大三元 with 混全帯幺九, 14 han 40 fu: 10,485,800 on a non-dealer's ron.
HandDescription Daisangen() {
    HandDescription d;
    d.tiles = "123p777z99m";
    d.melds = {{hand::MeldKind::Pon, "555z"}, {hand::MeldKind::Pon, "666z"}};
    return d;
}

struct Step {
    std::string_view what;
    Event event;
    std::vector<std::string> points;  // A B C D after the event
    int sticks;
    std::string_view round;
};

// Every figure below was worked out by hand from fu x 2^(han+2), rounded up to 100 per payment.
std::vector<Step> Hanchan() {
    return {
        {"B declares riichi",
         Event{Riichi{B}},
         {"25000", "24000", "25000", "25000"},
         1,
         "東1局 0本場"},
        {"C rons D 3 han 30 fu and takes the stick",
         Event{Ron{D, {W(C, 3, 30)}}},
         {"25000", "24000", "29900", "21100"},
         0,
         "東2局 0本場"},
        {"draw, only the dealer B tenpai",
         Event{Draw{{B}}},
         {"24000", "27000", "28900", "20100"},
         0,
         "東2局 1本場"},
        {"A declares riichi",
         Event{Riichi{A}},
         {"23000", "27000", "28900", "20100"},
         1,
         "東2局 1本場"},
        {"draw, A and C tenpai, the stick stays",
         Event{Draw{{A, C}}},
         {"24500", "25500", "30400", "18600"},
         1,
         "東3局 2本場"},
        {"dealer C tsumo 2 han 30 fu, 2 honba, the stick",
         Event{Tsumo{W(C, 2, 30)}},
         {"23300", "24300", "35000", "17400"},
         0,
         "東3局 3本場"},
        {"double ron on A: B first in turn takes the honba",
         Event{Ron{A, {W(D, 3, 30), W(B, 2, 30)}}},
         {"16500", "27200", "35000", "21300"},
         0,
         "東4局 0本場"},
        {"B's false win: 4000 to the dealer D, 2000 to A and C",
         Event{FalseWin{B}},
         {"18500", "19200", "37000", "25300"},
         0,
         "東4局 0本場"},
        {"A's 大三元 on B's discard, C liable: half each",
         Event{Ron{B, {Win{A, Daisangen(), C}}}},
         {"10504300", "-5223700", "-5205900", "25300"},
         0,
         "南1局 0本場"},
        {"abortive draw",
         Event{Abort{}},
         {"10504300", "-5223700", "-5205900", "25300"},
         0,
         "南1局 1本場"},
        {"dealer A rons D 4 han 30 fu",
         Event{Ron{D, {W(A, 4, 30)}}},
         {"10516200", "-5223700", "-5205900", "13400"},
         0,
         "南1局 2本場"},
        {"B tsumo 13 han 30 fu, 2 honba",
         Event{Tsumo{W(B, 13, 30)}},
         {"8549900", "-1290800", "-6189200", "-969900"},
         0,
         "南2局 0本場"},
        {"draw, nobody tenpai",
         Event{Draw{}},
         {"8549900", "-1290800", "-6189200", "-969900"},
         0,
         "南3局 1本場"},
        {"C declares riichi",
         Event{Riichi{C}},
         {"8549900", "-1290800", "-6190200", "-969900"},
         1,
         "南3局 1本場"},
        {"draw, all tenpai",
         Event{Draw{{A, B, C, D}}},
         {"8549900", "-1290800", "-6190200", "-969900"},
         1,
         "南3局 2本場"},
        {"dealer C rons A 1 han 30 fu and takes the carried stick",
         Event{Ron{A, {W(C, 1, 30)}}},
         {"8547800", "-1290800", "-6187100", "-969900"},
         0,
         "南3局 3本場"},
        {"D rons C 2 han 30 fu",
         Event{Ron{C, {W(D, 2, 30)}}},
         {"8547800", "-1290800", "-6190000", "-967000"},
         0,
         "南4局 0本場"},
        {"dealer D tsumo in the last hand, not on top: play on",
         Event{Tsumo{W(D, 1, 30)}},
         {"8547300", "-1291300", "-6190500", "-965500"},
         0,
         "南4局 1本場"},
        {"A rons D in the last hand: the end",
         Event{Ron{D, {W(A, 1, 30)}}},
         {"8548600", "-1291300", "-6190500", "-966800"},
         0,
         "南4局 1本場"},
    };
}

TEST(Replay, HanchanWorkedOutByHand) {
    Game game = NewGame();
    for (const Step& step : Hanchan()) {
        SCOPED_TRACE(step.what);
        ASSERT_FALSE(Append(game, step.event));
        const Standings s = Replayed(game);
        EXPECT_EQ(Decimals(s.points), step.points);
        EXPECT_EQ(s.sticks, step.sticks);
        EXPECT_EQ(RoundName(s), step.round);
    }
    const Standings end = Replayed(game);
    ASSERT_TRUE(end.finished);
    std::vector<PlayerIndex> ranks;
    for (const FinalStanding& f : end.final) {
        ranks.push_back(f.player);
        EXPECT_FALSE(f.score);
    }
    EXPECT_EQ(ranks, (std::vector<PlayerIndex>{A, D, B, C}));
    ASSERT_TRUE(end.Last());
    EXPECT_EQ(Decimals(end.Last()->paid), (std::vector<std::string>{"1300", "0", "0", "-1300"}));

    const std::optional<GameError> late = Append(game, Event{Ron{B, {W(A, 1, 30)}}});
    ASSERT_TRUE(late);
    EXPECT_EQ(late->code, ErrorCode::GameOver);
    ASSERT_FALSE(Append(game, Event{Undo{}}));
    EXPECT_FALSE(Replayed(game).finished);
}

TEST(Replay, RulesThatEndOrSettleTheGame) {
    // East only: the dealer D wins the last hand while on top, and the game ends there.
    Game east = NewGame();
    east.rules.length = Length::East;
    AppendAll(east, {Event{Abort{}}, Event{Draw{}}, Event{Draw{}}, Event{Draw{}}, Event{Riichi{A}},
                     Event{Ron{A, {W(D, 1, 30)}}}});
    Standings s = Replayed(east);
    EXPECT_TRUE(s.finished);
    EXPECT_EQ(Decimals(s.points), (std::vector<std::string>{"21300", "25000", "25000", "28700"}));

    // The same without stopping on top: the dealer plays on; the next draw ends it and the stick
    // left on the table goes to the top player, with oka and uma.
    east.rules.endOnDealerTop = false;
    east.rules.okaUma = true;
    east.events.pop_back();
    ASSERT_FALSE(Append(east, Event{Ron{B, {W(D, 1, 30)}}}));
    ASSERT_FALSE(Replayed(east).finished);
    ASSERT_FALSE(Append(east, Event{Riichi{C}}));
    ASSERT_FALSE(Append(east, Event{Draw{{A, C}}}));
    s = Replayed(east);
    ASSERT_TRUE(s.finished);
    EXPECT_EQ(s.sticks, 0);
    // A and C tenpai take 1500 each; D on top at 27200 takes C's stick; A and C tie, by seat.
    EXPECT_EQ(Decimals(s.points), (std::vector<std::string>{"25500", "20800", "25500", "28200"}));
    ASSERT_EQ(s.final.size(), 4U);
    std::vector<PlayerIndex> ranks;
    std::vector<std::string> scores;
    for (const FinalStanding& f : s.final) {
        ranks.push_back(f.player);
        scores.push_back(f.score->Decimal());
    }
    EXPECT_EQ(ranks, (std::vector<PlayerIndex>{D, A, C, B}));
    // Each pays back 30000 and takes the uma; the top also takes the oka, 4 x 5000.
    EXPECT_EQ(scores, (std::vector<std::string>{"38200", "5500", "-14500", "-29200"}));

    // Below zero ends the game when the rule says so.
    Game bust = NewGame();
    bust.rules.endBelowZero = true;
    ASSERT_FALSE(Append(bust, Event{Ron{B, {W(A, 6, 30)}}}));
    EXPECT_TRUE(Replayed(bust).finished);
}

TEST(Replay, EachWinnerTakesHonbaByRule) {
    Game game = NewGame();
    game.rules.ronHonba = RonHonba::EachWinner;
    AppendAll(game, {Event{Abort{}}, Event{Riichi{A}}, Event{Ron{A, {W(D, 3, 30), W(C, 2, 30)}}}});
    // C is first after A: 2000 + 300 and the stick; D 3900 + 300 as well.
    EXPECT_EQ(Decimals(Replayed(game).points),
              (std::vector<std::string>{"17500", "25000", "28300", "29200"}));
}

TEST(Replay, ThreePlayerPaymentsByRule) {
    const struct {
        std::string_view what;
        SanmaTsumo rule;
        Event event;
        std::vector<std::string> points;  // A (the dealer) B C
    } rows[] = {
        {"non-dealer tsumo, the North share lost",
         SanmaTsumo::Loss,
         Event{Tsumo{W(B, 3, 30)}},
         {"33000", "38000", "34000"}},
        {"non-dealer tsumo, the North share split",
         SanmaTsumo::Split,
         Event{Tsumo{W(B, 3, 30)}},
         {"32500", "39000", "33500"}},
        {"dealer tsumo, lost",
         SanmaTsumo::Loss,
         Event{Tsumo{W(A, 3, 30)}},
         {"39000", "33000", "33000"}},
        {"dealer tsumo, split",
         SanmaTsumo::Split,
         Event{Tsumo{W(A, 3, 30)}},
         {"41000", "32000", "32000"}},
        {"split halves round up to 100: 300 / 2 -> 200",
         SanmaTsumo::Split,
         Event{Tsumo{W(B, 1, 30)}},
         {"34300", "36200", "34500"}},
        {"one tenpai takes 2000", SanmaTsumo::Loss, Event{Draw{{A}}}, {"37000", "34000", "34000"}},
        {"two tenpai take 1000 each",
         SanmaTsumo::Loss,
         Event{Draw{{A, B}}},
         {"36000", "36000", "33000"}},
        {"a non-dealer's false win",
         SanmaTsumo::Loss,
         Event{FalseWin{B}},
         {"39000", "29000", "37000"}},
        {"a ron is the same as at four",
         SanmaTsumo::Split,
         Event{Ron{C, {W(B, 3, 30)}}},
         {"35000", "38900", "31100"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Game game = NewGame(kThreePlayers);
        game.rules.sanmaTsumo = row.rule;
        ASSERT_FALSE(Append(game, row.event));
        EXPECT_EQ(Decimals(Replayed(game).points), row.points);
    }
    Game game = NewGame(kThreePlayers);
    const std::optional<GameError> north = Append(game, Event{Riichi{D}});
    ASSERT_TRUE(north);
    EXPECT_EQ(north->code, ErrorCode::NotSeated);
    EXPECT_EQ(north->args, (std::vector<std::string>{"3"}));
}

// The stick, the honba, the no-ten payments and the false win's penalties as the rules set them.
TEST(Replay, AmountsComeFromTheRules) {
    Game game = NewGame();
    game.rules.stick = 2000;
    game.rules.ronHonbaPoints = 500;
    game.rules.tsumoHonbaPoints = 200;
    game.rules.notenTotal = 6000;
    game.rules.falseWinFull = 6000;
    game.rules.falseWinHalf = 3000;
    AppendAll(game, {Event{Riichi{B}}, Event{Draw{{B}}},  // B's 2000 stick; B takes 6000
                     Event{Tsumo{W(C, 1, 30)}},  // 500 + 200 from the dealer B, 300 + 200 from A, D
                     Event{Abort{}}, Event{Ron{A, {W(D, 1, 30)}}},  // 1000 and a 500 honba
                     Event{FalseWin{A}}});  // 6000 to the dealer D, 3000 to B and C
    const Standings s = Replayed(game);
    EXPECT_EQ(Decimals(s.points), (std::vector<std::string>{"9000", "31300", "29700", "30000"}));
    EXPECT_EQ(s.sticks, 0);
}

constexpr unsigned kRandomSeed = 2024;
constexpr int kRandomGames = 30;

Game Prefix(const Game& game, std::size_t events) {
    Game prefix = game;
    prefix.events.resize(events);
    return prefix;
}

TEST(Replay, InvariantOverEveryPrefixOfRandomGames) {
    for (const Game& game : RandomGames(kRandomSeed, kRandomGames)) {
        const Points total = game.rules.startingPoints.Times(game.rules.players);
        for (std::size_t n = 1; n <= game.events.size(); ++n) {
            const Standings s = Replayed(Prefix(game, n));
            Points sum = Points(game.rules.stick).Times(s.sticks);
            for (const Points& p : s.points) {
                sum += p;
            }
            ASSERT_EQ(sum, total) << "after " << n << " events";
        }
    }
}

// Each row of the history moves points between players and the table, never makes or loses any,
// and the rows add up to the totals.
TEST(Replay, HistoryOfRandomGamesAddsUp) {
    for (const Game& game : RandomGames(kRandomSeed + 1, kRandomGames)) {
        const Standings s = Replayed(game);
        ASSERT_TRUE(s.finished);
        EXPECT_EQ(s.position, game.events.size());
        std::vector<Points> moved(s.points.size());
        std::size_t previous = 0;
        for (const Effect& effect : s.history) {
            SCOPED_TRACE("the row of event " + std::to_string(effect.position));
            EXPECT_GT(effect.position, previous);
            previous = effect.position;
            EXPECT_EQ(effect.event, game.events[effect.position - 1]);
            Points sum = Points(game.rules.stick).Times(effect.sticks);
            for (std::size_t p = 0; p < effect.paid.size(); ++p) {
                sum += effect.paid[p];
                moved[p] += effect.paid[p];
            }
            EXPECT_TRUE(sum.IsZero()) << sum.Decimal();
        }
        for (std::size_t p = 0; p < s.points.size(); ++p) {
            EXPECT_EQ(moved[p], s.points[p] - game.rules.startingPoints);
        }
    }
}

TEST(Replay, AppendEqualsReplayAfterEveryEvent) {
    for (const Game& game : RandomGames(kRandomSeed + 2, kRandomGames)) {
        Game grown = Prefix(game, 0);
        Standings s = Replayed(grown);
        for (const Event& event : game.events) {
            ASSERT_FALSE(Append(grown, s, event));
            const Standings replayed = Replayed(grown);
            SCOPED_TRACE("after " + std::to_string(grown.events.size()) + " events");
            EXPECT_EQ(Decimals(s.points), Decimals(replayed.points));
            EXPECT_EQ(s.sticks, replayed.sticks);
            EXPECT_EQ(RoundName(s), RoundName(replayed));
            EXPECT_EQ(s.hand, replayed.hand);
            EXPECT_EQ(s.finished, replayed.finished);
            EXPECT_EQ(s.declared, replayed.declared);
            EXPECT_EQ(s.position, replayed.position);
            EXPECT_EQ(s.history.size(), replayed.history.size());
        }
        EXPECT_EQ(grown.events, game.events);
    }
}

TEST(Replay, UndoEqualsTheGameWithoutTheUndoneEvent) {
    std::mt19937 random(99);
    Game game = NewGame();
    Standings s = Replayed(game);
    for (int i = 0; i < 40 && !s.finished; ++i) {
        const Event event = RandomEvent(random, game.rules, s);
        if (event.As<Undo>()) {
            continue;
        }
        const Standings before = s;
        ASSERT_FALSE(Append(game, s, event));
        Game undone = game;
        ASSERT_FALSE(Append(undone, Event{Undo{}}));
        const Standings a = Replayed(undone);
        EXPECT_EQ(Decimals(a.points), Decimals(before.points));
        EXPECT_EQ(a.sticks, before.sticks);
        EXPECT_EQ(RoundName(a), RoundName(before));
        EXPECT_EQ(a.finished, before.finished);
        EXPECT_EQ(a.declared, before.declared);
        EXPECT_EQ(a.history.size(), before.history.size());
    }
}

}  // namespace
}  // namespace velmarto::game
