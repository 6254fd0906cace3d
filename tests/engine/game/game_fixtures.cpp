// The random games keep to what the table allows, so every refusal while playing one is a fault.
#include "tests/engine/game/game_fixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "engine/game/checks.h"
#include "engine/game/game_json.h"

namespace velmarto::game {
namespace {

constexpr std::array kFus = {20, 30, 40, 50, 70, 110};
constexpr int kMostHan = 40;
constexpr int kPinfuTsumoFu = 20;
constexpr int kLeastHanAt20Fu = 2;

}  // namespace

Win W(PlayerIndex winner, int han, int fu, std::optional<PlayerIndex> liable) {
    return {winner, HanFu{han, fu}, liable};
}

Game NewGame(int players) {
    Game game{DefaultRules(players), {"A", "B", "C", "D"}, {}, {}, {}, {}};
    game.players.resize(static_cast<std::size_t>(players));
    return game;
}

Standings Replayed(const Game& game) {
    auto result = Replay(game);
    if (auto* error = std::get_if<GameError>(&result)) {
        ADD_FAILURE() << "replay refused with code " << static_cast<int>(error->code);
        return {};
    }
    return std::get<Standings>(std::move(result));
}

std::vector<std::string> Decimals(const std::vector<Points>& points) {
    std::vector<std::string> out;
    for (const Points& p : points) {
        out.push_back(p.Decimal());
    }
    return out;
}

void AppendAll(Game& game, const std::vector<Event>& events) {
    for (std::size_t i = 0; i < events.size(); ++i) {
        const std::optional<GameError> error = Append(game, events[i]);
        ASSERT_FALSE(error) << "event " << i + 1 << " refused with code "
                            << static_cast<int>(error->code);
    }
}

Event RandomEvent(std::mt19937& random, const Rules& rules, const Standings& s) {
    const int players = static_cast<int>(s.points.size());
    const auto pick = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    // Three different players: a winner, a discarder (or another winner) and a third.
    const PlayerIndex p = pick(0, players - 1);
    const PlayerIndex q = (p + pick(1, players - 1)) % players;
    PlayerIndex r = (q + 1) % players;
    r = r == p ? (r + 1) % players : r;
    const bool liable = pick(0, 9) == 0;
    const int han = liable ? pick(kLiableHan, kMostHan) : pick(1, kMostHan);
    const int fu = kFus[static_cast<std::size_t>(pick(0, static_cast<int>(kFus.size()) - 1))];
    const auto win = [&](bool tsumo) {
        const bool pinfuTsumo = tsumo && han >= kLeastHanAt20Fu;
        return Win{p, HanFu{han, fu == kPinfuTsumoFu && !pinfuTsumo ? 30 : fu},
                   liable ? std::optional(r) : std::nullopt};
    };
    switch (pick(0, 10)) {
        case 0:
        case 1: {
            const auto player = static_cast<std::size_t>(p);
            const bool canPay = !rules.endBelowZero || s.points[player] >= Points(rules.stick);
            if (!s.declared[player] && canPay) {
                return Event{Riichi{p}};
            }
            return Event{Abort{}};
        }
        case 2:
        case 3:
            return Event{Tsumo{win(true)}};
        case 4: {
            std::vector<PlayerIndex> tenpai;
            for (PlayerIndex t = 0; t < players; ++t) {
                if (pick(0, 1) == 0) {
                    tenpai.push_back(t);
                }
            }
            return Event{Draw{tenpai}};
        }
        case 5:
            return pick(0, 3) == 0 ? Event{Abort{}} : Event{FalseWin{p}};
        case 6:
            return Event{Ron{p, {Win{q, HanFu{2, 30}, {}}, Win{r, HanFu{han, 40}, {}}}}};
        case 7:
            return s.history.empty() ? Event{Abort{}} : Event{Undo{}};
        default:
            return Event{Ron{q, {win(false)}}};
    }
}

std::vector<Game> RandomGames(unsigned seed, int perPlayerCount) {
    std::mt19937 random(seed);
    std::vector<Game> games;
    for (int players : {kThreePlayers, kMaxPlayers}) {
        for (int round = 0; round < perPlayerCount; ++round) {
            Game game = NewGame(players);
            if (players == kThreePlayers) {
                game.rules.sanmaTsumo = round % 2 == 0 ? SanmaTsumo::Loss : SanmaTsumo::Split;
            }
            game.rules.endOnDealerTop = round % 3 != 0;
            game.rules.ronHonba = round % 2 == 0 ? RonHonba::FirstWinner : RonHonba::EachWinner;
            game.rules.endBelowZero = round % 4 == 1;
            game.rules.chomboKeepsSticks = round % 5 == 2;
            game.rules.length = round % 3 == 2 ? Length::East : Length::EastSouth;
            Standings s = Replayed(game);
            while (!s.finished) {
                const Event event = RandomEvent(random, game.rules, s);
                const std::optional<GameError> error = Append(game, s, event);
                if (error) {
                    ADD_FAILURE() << "a random event refused with code "
                                  << static_cast<int>(error->code) << ": " << EventToJson(event);
                    return games;
                }
            }
            games.push_back(std::move(game));
        }
    }
    return games;
}

}  // namespace velmarto::game
