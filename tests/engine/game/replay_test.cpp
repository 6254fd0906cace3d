// The replay against a hanchan worked out by hand, event by event; the invariant over random
// games; and undo as the game without the undone event.
#include "engine/game/replay.h"

#include <gtest/gtest.h>

#include <random>

namespace velmarto::game {
namespace {

constexpr PlayerIndex A = 0, B = 1, C = 2, D = 3;

Win W(PlayerIndex winner, int han, int fu, std::optional<PlayerIndex> liable = std::nullopt) {
    return {winner, HanFu{han, fu}, liable};
}

Standings Replayed(const Game& game) {
    auto result = Replay(game);
    if (auto* error = std::get_if<GameError>(&result)) {
        ADD_FAILURE() << error->message;
        return {};
    }
    return std::get<Standings>(result);
}

std::vector<std::string> Decimals(const std::vector<Points>& points) {
    std::vector<std::string> out;
    for (const Points& p : points) {
        out.push_back(p.Decimal());
    }
    return out;
}

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
         RiichiEvent(B),
         {"25000", "24000", "25000", "25000"},
         1,
         "東1局 0本場"},
        {"C rons D 3 han 30 fu and takes the stick",
         RonEvent(D, {W(C, 3, 30)}),
         {"25000", "24000", "29900", "21100"},
         0,
         "東2局 0本場"},
        {"draw, only the dealer B tenpai",
         DrawEvent({B}),
         {"24000", "27000", "28900", "20100"},
         0,
         "東2局 1本場"},
        {"A declares riichi",
         RiichiEvent(A),
         {"23000", "27000", "28900", "20100"},
         1,
         "東2局 1本場"},
        {"draw, A and C tenpai, the stick stays",
         DrawEvent({A, C}),
         {"24500", "25500", "30400", "18600"},
         1,
         "東3局 2本場"},
        {"dealer C tsumo 2 han 30 fu, 2 honba, the stick",
         TsumoEvent(W(C, 2, 30)),
         {"23300", "24300", "35000", "17400"},
         0,
         "東3局 3本場"},
        {"double ron on A: B first in turn takes the honba",
         RonEvent(A, {W(D, 3, 30), W(B, 2, 30)}),
         {"16500", "27200", "35000", "21300"},
         0,
         "東4局 0本場"},
        {"B's false win: 4000 to the dealer D, 2000 to A and C",
         FalseWinEvent(B),
         {"18500", "19200", "37000", "25300"},
         0,
         "東4局 0本場"},
        {"A's 大三元 on B's discard, C liable: half each",
         RonEvent(B, {Win{A, Daisangen(), C}}),
         {"10504300", "-5223700", "-5205900", "25300"},
         0,
         "南1局 0本場"},
        {"abortive draw",
         AbortEvent(),
         {"10504300", "-5223700", "-5205900", "25300"},
         0,
         "南1局 1本場"},
        {"dealer A rons D 4 han 30 fu",
         RonEvent(D, {W(A, 4, 30)}),
         {"10516200", "-5223700", "-5205900", "13400"},
         0,
         "南1局 2本場"},
        {"B tsumo 13 han 30 fu, 2 honba",
         TsumoEvent(W(B, 13, 30)),
         {"8549900", "-1290800", "-6189200", "-969900"},
         0,
         "南2局 0本場"},
        {"C declares riichi",
         RiichiEvent(C),
         {"8549900", "-1290800", "-6190200", "-969900"},
         1,
         "南2局 0本場"},
        {"draw, nobody tenpai",
         DrawEvent({}),
         {"8549900", "-1290800", "-6190200", "-969900"},
         1,
         "南3局 1本場"},
        {"draw, all tenpai",
         DrawEvent({A, B, C, D}),
         {"8549900", "-1290800", "-6190200", "-969900"},
         1,
         "南3局 2本場"},
        {"dealer C rons A 1 han 30 fu and takes the carried stick",
         RonEvent(A, {W(C, 1, 30)}),
         {"8547800", "-1290800", "-6187100", "-969900"},
         0,
         "南3局 3本場"},
        {"D rons C 2 han 30 fu",
         RonEvent(C, {W(D, 2, 30)}),
         {"8547800", "-1290800", "-6190000", "-967000"},
         0,
         "南4局 0本場"},
        {"dealer D tsumo in the last hand, not on top: play on",
         TsumoEvent(W(D, 1, 30)),
         {"8547300", "-1291300", "-6190500", "-965500"},
         0,
         "南4局 1本場"},
        {"A rons D in the last hand: the end",
         RonEvent(D, {W(A, 1, 30)}),
         {"8548600", "-1291300", "-6190500", "-966800"},
         0,
         "南4局 1本場"},
    };
}

Game NewGame(int players = kMaxPlayers) {
    Game game{DefaultRules(players), {"A", "B", "C", "D"}, {}};
    game.players.resize(static_cast<std::size_t>(players));
    return game;
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
    EXPECT_EQ(Decimals(end.lastPaid), (std::vector<std::string>{"1300", "0", "0", "-1300"}));

    const std::optional<GameError> late = Append(game, RonEvent(B, {W(A, 1, 30)}));
    ASSERT_TRUE(late);
    EXPECT_EQ(late->message, "the game is over");
    ASSERT_FALSE(Append(game, UndoEvent()));
    EXPECT_FALSE(Replayed(game).finished);
}

TEST(Replay, RefusesWhatCannotHappen) {
    const struct {
        std::string_view message;
        Event event;
    } rows[] = {
        {"a player cannot ron their own discard", RonEvent(B, {W(B, 1, 30)})},
        {"player 4 is not at the table", RonEvent(4, {W(B, 1, 30)})},
        {"player -1 is not at the table", RiichiEvent(-1)},
        {"the same winner twice", RonEvent(A, {W(B, 1, 30), W(B, 2, 30)})},
        {"a ron needs one winner or more, fewer than the players", RonEvent(A, {})},
        {"a tsumo has one winner", Event{EventKind::Tsumo, {}, 0, 0, {}}},
        {"0 han 30 fu is no win (han 1-119; fu 20, 25, 30, 40 ... 200)", TsumoEvent(W(A, 0, 30))},
        {"2 han 35 fu is no win (han 1-119; fu 20, 25, 30, 40 ... 200)", TsumoEvent(W(A, 2, 35))},
        {"the winner cannot be liable for their own win", TsumoEvent(W(A, 13, 30, A))},
        {"a tenpai player named twice", DrawEvent({A, A})},
        {"nothing to undo", UndoEvent()},
        {"a liable player needs 大三元, 大四喜 or 四槓子 in the hand",
         TsumoEvent(Win{A, HandDescription{.tiles = "234567m234p6799s8s", .riichi = true}, B})},
        {"the hand has no yaku: record it as a false win",
         RonEvent(B, {Win{A, HandDescription{.tiles = "123m456p789s23455s"}, {}}})},
    };
    for (const auto& row : rows) {
        Game game = NewGame();
        const std::optional<GameError> error = Append(game, row.event);
        ASSERT_TRUE(error) << row.message;
        EXPECT_EQ(error->message, row.message);
        EXPECT_FALSE(error->japanese.empty());
        EXPECT_TRUE(game.events.empty()) << "a refused event is not kept";
    }
}

TEST(Replay, RulesThatEndOrSettleTheGame) {
    // East only: the dealer D wins the last hand while on top, and the game ends there.
    Game east = NewGame();
    east.rules.length = Length::East;
    for (const Event& e : {AbortEvent(), DrawEvent({}), DrawEvent({}), DrawEvent({}),
                           RiichiEvent(A), RonEvent(A, {W(D, 1, 30)})}) {
        ASSERT_FALSE(Append(east, e));
    }
    Standings s = Replayed(east);
    EXPECT_TRUE(s.finished);
    EXPECT_EQ(Decimals(s.points), (std::vector<std::string>{"21300", "25000", "25000", "28700"}));

    // The same without stopping on top: the dealer plays on; the next draw ends it and the stick
    // left on the table goes to the top player, with oka and uma.
    east.rules.endOnDealerTop = false;
    east.rules.okaUma = true;
    east.events.pop_back();
    ASSERT_FALSE(Append(east, RonEvent(B, {W(D, 1, 30)})));
    ASSERT_FALSE(Replayed(east).finished);
    ASSERT_FALSE(Append(east, RiichiEvent(C)));
    ASSERT_FALSE(Append(east, DrawEvent({A})));
    s = Replayed(east);
    ASSERT_TRUE(s.finished);
    EXPECT_EQ(s.sticks, 0);
    // D on top at 27700 takes C's stick.
    EXPECT_EQ(Decimals(s.points), (std::vector<std::string>{"27000", "21300", "23000", "28700"}));
    ASSERT_EQ(s.final.size(), 4U);
    std::vector<PlayerIndex> ranks;
    std::vector<std::string> scores;
    for (const FinalStanding& f : s.final) {
        ranks.push_back(f.player);
        scores.push_back(f.score->Decimal());
    }
    EXPECT_EQ(ranks, (std::vector<PlayerIndex>{D, A, C, B}));
    // Each pays back 30000 and takes the uma; the top also takes the oka, 4 x 5000.
    EXPECT_EQ(scores, (std::vector<std::string>{"38700", "7000", "-17000", "-28700"}));

    // Below zero ends the game when the rule says so.
    Game bust = NewGame();
    bust.rules.endBelowZero = true;
    ASSERT_FALSE(Append(bust, RonEvent(B, {W(A, 6, 30)})));
    EXPECT_TRUE(Replayed(bust).finished);
}

TEST(Replay, EachWinnerTakesHonbaByRule) {
    Game game = NewGame();
    game.rules.ronHonba = RonHonba::EachWinner;
    ASSERT_FALSE(Append(game, AbortEvent()));
    ASSERT_FALSE(Append(game, RiichiEvent(A)));
    ASSERT_FALSE(Append(game, RonEvent(A, {W(D, 3, 30), W(C, 2, 30)})));
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
         TsumoEvent(W(B, 3, 30)),
         {"33000", "38000", "34000"}},
        {"non-dealer tsumo, the North share split",
         SanmaTsumo::Split,
         TsumoEvent(W(B, 3, 30)),
         {"32500", "39000", "33500"}},
        {"dealer tsumo, lost",
         SanmaTsumo::Loss,
         TsumoEvent(W(A, 3, 30)),
         {"39000", "33000", "33000"}},
        {"dealer tsumo, split",
         SanmaTsumo::Split,
         TsumoEvent(W(A, 3, 30)),
         {"41000", "32000", "32000"}},
        {"split halves round up to 100: 300 / 2 -> 200",
         SanmaTsumo::Split,
         TsumoEvent(W(B, 1, 30)),
         {"34300", "36200", "34500"}},
        {"one tenpai takes 2000", SanmaTsumo::Loss, DrawEvent({A}), {"37000", "34000", "34000"}},
        {"two tenpai take 1000 each",
         SanmaTsumo::Loss,
         DrawEvent({A, B}),
         {"36000", "36000", "33000"}},
        {"a non-dealer's false win",
         SanmaTsumo::Loss,
         FalseWinEvent(B),
         {"39000", "29000", "37000"}},
        {"a ron is the same as at four",
         SanmaTsumo::Split,
         RonEvent(C, {W(B, 3, 30)}),
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
    const std::optional<GameError> north = Append(game, RiichiEvent(D));
    ASSERT_TRUE(north);
    EXPECT_EQ(north->message, "player 3 is not at the table");
}

// Random legal events, checked after every one of them.
Event RandomEvent(std::mt19937& random, int players) {
    std::uniform_int_distribution<int> kind(0, 9), player(0, players - 1), han(1, 40);
    const int fus[] = {20, 30, 40, 50, 70, 110};
    const int p = player(random);
    const int q = (p + 1 + std::uniform_int_distribution<int>(0, players - 2)(random)) % players;
    const Win win{p, HanFu{han(random), fus[std::uniform_int_distribution<int>(0, 5)(random)]},
                  kind(random) == 0 ? std::optional<PlayerIndex>(q) : std::nullopt};
    switch (kind(random)) {
        case 0:
        case 1:
            return RiichiEvent(p);
        case 2:
        case 3:
            return TsumoEvent(win);
        case 4: {
            std::vector<PlayerIndex> tenpai;
            for (PlayerIndex t = 0; t < players; ++t) {
                if (random() % 2 == 0) {
                    tenpai.push_back(t);
                }
            }
            return DrawEvent(tenpai);
        }
        case 5:
            return random() % 4 == 0 ? AbortEvent() : FalseWinEvent(p);
        case 6: {
            const PlayerIndex r = (q + 1) % players;
            std::vector<Win> wins{Win{q, HanFu{2, 30}, {}}};
            if (r != p) {
                wins.push_back(Win{r, HanFu{han(random), 40}, {}});
            }
            return RonEvent(p, wins);
        }
        default:
            return RonEvent(q, {win});
    }
}

TEST(Replay, InvariantOverEveryPrefixOfRandomGames) {
    std::mt19937 random(2024);
    for (int players : {3, 4}) {
        for (int round = 0; round < 30; ++round) {
            Game game = NewGame(players);
            game.rules.sanmaTsumo = round % 2 == 0 ? SanmaTsumo::Loss : SanmaTsumo::Split;
            game.rules.endOnDealerTop = round % 3 != 0;
            game.rules.ronHonba = round % 2 == 0 ? RonHonba::FirstWinner : RonHonba::EachWinner;
            const Points total = game.rules.startingPoints.Times(players);
            while (!Replayed(game).finished) {
                ASSERT_FALSE(Append(game, RandomEvent(random, players)));
                const Standings s = Replayed(game);
                Points sum = Points(1000).Times(s.sticks);
                for (const Points& p : s.points) {
                    sum += p;
                }
                ASSERT_EQ(sum, total) << "after " << game.events.size() << " events";
            }
        }
    }
}

TEST(Replay, UndoEqualsTheGameWithoutTheUndoneEvent) {
    std::mt19937 random(99);
    Game game = NewGame();
    for (int i = 0; i < 40 && !Replayed(game).finished; ++i) {
        const Game before = game;
        const Event event = RandomEvent(random, kMaxPlayers);
        ASSERT_FALSE(Append(game, event));
        Game undone = game;
        ASSERT_FALSE(Append(undone, UndoEvent()));
        const Standings a = Replayed(undone);
        const Standings b = Replayed(before);
        EXPECT_EQ(Decimals(a.points), Decimals(b.points));
        EXPECT_EQ(a.sticks, b.sticks);
        EXPECT_EQ(RoundName(a), RoundName(b));
        EXPECT_EQ(a.finished, b.finished);
    }
}

}  // namespace
}  // namespace velmarto::game
