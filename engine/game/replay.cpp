// The fold from events to standings. Every payment moves points between players or onto the
// table and back, so the players' points and the sticks always add up to the starting total.
#include "engine/game/replay.h"

#include "engine/game/tsumo_shares.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <set>

#include "engine/hand/hand_evaluator.h"
#include "engine/hand/hand_payments.h"

namespace velmarto::game {
namespace {

constexpr int kStick = 1000;
constexpr int kRonHonba = 300;
constexpr int kTsumoHonba = 100;
constexpr int kFalseWinToEach = 4000;     // the dealer's penalty, and a non-dealer's to the dealer
constexpr int kFalseWinNonDealer = 2000;  // a non-dealer's penalty to each other non-dealer
constexpr int kMinHan = 1;
constexpr int kMaxHanFu = 119;  // the window's range for han given directly
constexpr std::array<int, kMaxPlayers + 1> kNotenTotal = {0, 0, 0, 2000, 3000};
constexpr std::array<std::string_view, kMaxPlayers> kWindKanji = {"東", "南", "西", "北"};
constexpr std::array<hand::YakuId, 3> kLiableYaku = {
    hand::YakuId::Daisangen, hand::YakuId::Daisuushii, hand::YakuId::Suukantsu};

GameError Error(std::string message, std::string japanese) {
    return {std::move(message), std::move(japanese)};
}

int RoundsOf(Length length) {
    return length == Length::East ? 1 : 2;
}

// The rank order: most points first, ties by seat order.
std::vector<PlayerIndex> RankOrder(const std::vector<Points>& points) {
    std::vector<PlayerIndex> order(points.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](PlayerIndex a, PlayerIndex b) {
        return points[static_cast<std::size_t>(a)] > points[static_cast<std::size_t>(b)];
    });
    return order;
}

// One event applied to the standings; each step adds to `paid` and never touches points directly.
class Table {
public:
    Table(const Rules& rules, Standings& standings) : m_rules(rules), m_s(standings) {}

    std::optional<GameError> Apply(const Event& event);

private:
    const Rules& m_rules;
    Standings& m_s;
    std::vector<Points> m_paid;

    int Players() const { return m_rules.players; }
    bool Seated(PlayerIndex p) const { return p >= 0 && p < Players(); }
    std::optional<GameError> CheckSeated(PlayerIndex p) const;
    std::optional<GameError> CheckLiable(const Win& win) const;
    void Pay(PlayerIndex from, PlayerIndex to, const Points& amount);
    void ToTable(PlayerIndex from);
    void SticksTo(PlayerIndex to);

    struct WinValue {
        int han = 0;
        int fu = 0;
        hand::HandPayments payments;
    };
    std::variant<WinValue, GameError> Value(const Win& win, bool tsumo) const;
    std::optional<GameError> Ron(const Event& event);
    std::optional<GameError> Tsumo(const Win& win);
    std::optional<GameError> Draw(const Event& event);
    void FalseWin(PlayerIndex offender);
    enum class HandEnd { Win, Draw };
    void AfterHand(HandEnd end, bool dealerKeeps);
    void Finish();
};

std::optional<GameError> Table::CheckSeated(PlayerIndex p) const {
    if (Seated(p)) {
        return std::nullopt;
    }
    return Error("player " + std::to_string(p) + " is not at the table",
                 "その席のプレイヤーはいません（" + std::to_string(p) + "）");
}

std::optional<GameError> Table::CheckLiable(const Win& win) const {
    if (!win.liable) {
        return std::nullopt;
    }
    if (auto error = CheckSeated(*win.liable)) {
        return error;
    }
    if (*win.liable == win.winner) {
        return Error("the winner cannot be liable for their own win",
                     "和了者は責任払いになりません");
    }
    return std::nullopt;
}

void Table::Pay(PlayerIndex from, PlayerIndex to, const Points& amount) {
    m_paid[static_cast<std::size_t>(from)] -= amount;
    m_paid[static_cast<std::size_t>(to)] += amount;
}

void Table::ToTable(PlayerIndex from) {
    m_paid[static_cast<std::size_t>(from)] -= Points(kStick);
    ++m_s.sticks;
    ++m_s.lastSticks;
}

void Table::SticksTo(PlayerIndex to) {
    m_paid[static_cast<std::size_t>(to)] += Points(kStick).Times(m_s.sticks);
    m_s.lastSticks -= m_s.sticks;
    m_s.sticks = 0;
}

hand::HandText TextOf(const HandDescription& d) {
    hand::HandText text;
    text.tiles = d.tiles;
    if (!d.win.empty()) {
        text.win = d.win;
    }
    for (const auto& [kind, notation] : d.melds) {
        text.melds.emplace_back(kind, notation);
    }
    text.dora = d.dora;
    text.ura = d.ura;
    text.situation = SituationOf(d);
    return text;
}

GameError FromNotation(const hand::NotationError& error) {
    return Error(error.message, error.japanese);
}

std::variant<Table::WinValue, GameError> Table::Value(const Win& win, bool tsumo) const {
    const velmarto::Seat seat =
        win.winner == m_s.Dealer() ? velmarto::Seat::Dealer : velmarto::Seat::NonDealer;
    WinValue value;
    if (const auto* hanFu = std::get_if<HanFu>(&win.score)) {
        if (hanFu->han < kMinHan || hanFu->han > kMaxHanFu || !FuIndexOf(hanFu->fu)) {
            return Error(std::to_string(hanFu->han) + " han " + std::to_string(hanFu->fu) +
                             " fu is no win (han 1-119; fu 20, 25, 30, 40 ... 200)",
                         std::to_string(hanFu->han) + "飜" + std::to_string(hanFu->fu) +
                             "符の和了はありません");
        }
        value.han = hanFu->han;
        value.fu = hanFu->fu;
    } else {
        hand::HandText text = TextOf(std::get<HandDescription>(win.score));
        text.situation.tsumo = tsumo;
        text.situation.roundWind = m_s.round;
        text.situation.seatWind = (win.winner - m_s.Dealer() + Players()) % Players();
        text.rules = m_rules.hand;
        text.rules.players = Players();
        auto input = hand::ReadHand(text);
        if (auto* error = std::get_if<hand::NotationError>(&input)) {
            return FromNotation(*error);
        }
        auto evaluated = hand::EvaluateHand(std::get<hand::HandInput>(input));
        if (auto* error = std::get_if<hand::NotationError>(&evaluated)) {
            return FromNotation(*error);
        }
        const hand::HandResult& result = std::get<hand::HandResult>(evaluated);
        if (result.NoYaku()) {
            return Error("the hand has no yaku: record it as a false win",
                         "役がありません（チョンボとして記録してください）");
        }
        const auto yaku = result.yaku.View();
        const bool liableYaku = std::any_of(yaku.begin(), yaku.end(), [](const auto& y) {
            return std::find(kLiableYaku.begin(), kLiableYaku.end(), y.id) != kLiableYaku.end();
        });
        if (win.liable && !liableYaku) {
            return Error("a liable player needs 大三元, 大四喜 or 四槓子 in the hand",
                         "責任払いは大三元・大四喜・四槓子のときだけです");
        }
        value.han = result.han;
        value.fu = result.fu.total;
    }
    auto payments = hand::ComputePayments(value.han, value.fu, seat);
    if (!payments) {
        return Error(std::to_string(value.han) + " han pays 10^59 or more, beyond the register",
                     "点数が大きすぎて計算できません（" + std::to_string(value.han) + "飜）");
    }
    value.payments = *payments;
    return value;
}

Points FigurePoints(const hand::Figure& figure) {
    return Points::FromRegister(figure.digits);
}

// Pays a win on a discard for each winner, in turn order after the discarder; the sticks go to
// the first of them, the honba to the first or to each by rule. A liable player pays half.
std::optional<GameError> Table::Ron(const Event& event) {
    if (auto error = CheckSeated(event.discarder)) {
        return error;
    }
    if (event.wins.empty() || static_cast<int>(event.wins.size()) >= Players()) {
        return Error("a ron needs one winner or more, fewer than the players",
                     "ロンの和了者の数が正しくありません");
    }
    std::vector<const Win*> order;
    std::set<PlayerIndex> winners;
    for (const Win& win : event.wins) {
        if (auto error = CheckSeated(win.winner)) {
            return error;
        }
        if (win.winner == event.discarder) {
            return Error("a player cannot ron their own discard", "自分の捨て牌ではロンできません");
        }
        if (auto error = CheckLiable(win)) {
            return error;
        }
        if (!winners.insert(win.winner).second) {
            return Error("the same winner twice", "同じ和了者が2回あります");
        }
        order.push_back(&win);
    }
    const auto turn = [&](const Win* w) {
        return (w->winner - event.discarder + Players()) % Players();
    };
    std::sort(order.begin(), order.end(), [&](auto a, auto b) { return turn(a) < turn(b); });
    bool dealerWon = false;
    for (std::size_t i = 0; i < order.size(); ++i) {
        const Win& win = *order[i];
        auto value = Value(win, false);
        if (auto* error = std::get_if<GameError>(&value)) {
            return *error;
        }
        const Points ron = FigurePoints(std::get<WinValue>(value).payments.figures[0]);
        const bool honba = i == 0 || m_rules.ronHonba == RonHonba::EachWinner;
        if (win.liable) {
            int remainder = 0;
            const Points half = ron.DividedBy(2, remainder).RoundedUpToHundred();
            Pay(*win.liable, win.winner, half);
            Pay(event.discarder, win.winner, ron - half);
        } else {
            Pay(event.discarder, win.winner, ron);
        }
        if (honba) {
            Pay(event.discarder, win.winner, Points(kRonHonba).Times(m_s.honba));
        }
        if (i == 0) {
            SticksTo(win.winner);
        }
        dealerWon |= win.winner == m_s.Dealer();
    }
    AfterHand(HandEnd::Win, dealerWon);
    return std::nullopt;
}

// A tsumo: each other player's share (the dealer's doubled for a non-dealer's win). At three
// players the absent North's share is lost or split between the two payers, by rule.
std::optional<GameError> Table::Tsumo(const Win& win) {
    if (auto error = CheckSeated(win.winner)) {
        return error;
    }
    if (auto error = CheckLiable(win)) {
        return error;
    }
    auto value = Value(win, true);
    if (auto* error = std::get_if<GameError>(&value)) {
        return *error;
    }
    const TsumoShares shares =
        TsumoSharesOf(std::get<WinValue>(value).payments, Players(), m_rules.sanmaTsumo);
    const bool dealerWon = win.winner == m_s.Dealer();
    const Points honba = Points(kTsumoHonba).Times(m_s.honba);
    for (PlayerIndex p = 0; p < Players(); ++p) {
        if (p == win.winner) {
            continue;
        }
        const bool dealerPays = !dealerWon && p == m_s.Dealer();
        Pay(win.liable.value_or(p), win.winner,
            (dealerPays ? shares.dealer : shares.nonDealer) + honba);
    }
    SticksTo(win.winner);
    AfterHand(HandEnd::Win, dealerWon);
    return std::nullopt;
}

// No-ten payments: the total split among the tenpai players, paid in equal parts by the others.
std::optional<GameError> Table::Draw(const Event& event) {
    std::set<PlayerIndex> tenpai;
    for (PlayerIndex p : event.tenpai) {
        if (auto error = CheckSeated(p)) {
            return error;
        }
        if (!tenpai.insert(p).second) {
            return Error("a tenpai player named twice", "テンパイのプレイヤーが重複しています");
        }
    }
    const int ready = static_cast<int>(tenpai.size());
    if (ready > 0 && ready < Players()) {
        const int total = kNotenTotal[static_cast<std::size_t>(Players())];
        const Points gets = Points(total / ready);
        const Points pays = Points(total / (Players() - ready));
        for (PlayerIndex p = 0; p < Players(); ++p) {
            m_paid[static_cast<std::size_t>(p)] += tenpai.contains(p) ? gets : -pays;
        }
    }
    const bool dealerTenpai = tenpai.contains(m_s.Dealer());
    AfterHand(HandEnd::Draw, dealerTenpai);
    return std::nullopt;
}

void Table::FalseWin(PlayerIndex offender) {
    for (PlayerIndex p = 0; p < Players(); ++p) {
        if (p == offender) {
            continue;
        }
        const bool full = offender == m_s.Dealer() || p == m_s.Dealer();
        Pay(offender, p, Points(full ? kFalseWinToEach : kFalseWinNonDealer));
    }
}

// The dealer keeps the seat with one more honba, or it passes: the honba reset after another's
// win and go on after a draw. The game ends after its last hand, or early by rule.
void Table::AfterHand(HandEnd end, bool dealerKeeps) {
    const bool lastHand = m_s.round == RoundsOf(m_rules.length) - 1 && m_s.hand == Players() - 1;
    if (dealerKeeps) {
        if (end == HandEnd::Win && lastHand && m_rules.endOnDealerTop) {
            std::vector<Points> after = m_s.points;
            for (std::size_t p = 0; p < after.size(); ++p) {
                after[p] += m_paid[p];
            }
            m_s.finished = RankOrder(after).front() == m_s.Dealer();
        }
        m_s.honba += m_s.finished ? 0 : 1;
        return;
    }
    // The last hand stays on the board as it was played.
    if (lastHand) {
        m_s.finished = true;
        return;
    }
    m_s.honba = end == HandEnd::Draw ? m_s.honba + 1 : 0;
    if (++m_s.hand == Players()) {
        m_s.hand = 0;
        ++m_s.round;
    }
}

void Table::Finish() {
    if (m_rules.sticksToTop && m_s.sticks > 0) {
        SticksTo(RankOrder(m_s.points).front());
        for (std::size_t p = 0; p < m_paid.size(); ++p) {
            m_s.points[p] += m_paid[p];
            m_s.lastPaid[p] += m_paid[p];
            m_paid[p] = Points();
        }
    }
    const std::vector<PlayerIndex> order = RankOrder(m_s.points);
    for (std::size_t rank = 0; rank < order.size(); ++rank) {
        FinalStanding standing{order[rank], m_s.points[static_cast<std::size_t>(order[rank])], {}};
        if (m_rules.okaUma) {
            const int uma = Players() == kThreePlayers ? m_rules.umaThree[rank] : m_rules.uma[rank];
            Points score = standing.points - m_rules.returnPoints + Points(kStick).Times(uma);
            if (rank == 0) {
                score += (m_rules.returnPoints - m_rules.startingPoints).Times(Players());
            }
            standing.score = score;
        }
        m_s.final.push_back(standing);
    }
}

std::optional<GameError> Table::Apply(const Event& event) {
    if (m_s.finished) {
        return Error("the game is over", "対局は終了しています");
    }
    m_paid.assign(static_cast<std::size_t>(Players()), Points());
    m_s.lastSticks = 0;
    m_s.lastKind = event.kind;
    std::optional<GameError> error;
    switch (event.kind) {
        case EventKind::Ron:
            error = Ron(event);
            break;
        case EventKind::Tsumo:
            error = event.wins.size() == 1
                        ? Tsumo(event.wins.front())
                        : Error("a tsumo has one winner", "ツモの和了者は1人です");
            break;
        case EventKind::Riichi:
            error = CheckSeated(event.player);
            if (!error) {
                ToTable(event.player);
            }
            break;
        case EventKind::Draw:
            error = Draw(event);
            break;
        case EventKind::Abort:
            AfterHand(HandEnd::Draw, true);
            break;
        case EventKind::FalseWin:
            error = CheckSeated(event.player);
            if (!error) {
                FalseWin(event.player);
            }
            break;
        case EventKind::Undo:
            error = Error("an undo takes back an event; it is not one itself",
                          "取り消しは局の出来事ではありません");
            break;
    }
    if (error) {
        return error;
    }
    for (std::size_t p = 0; p < m_paid.size(); ++p) {
        m_s.points[p] += m_paid[p];
    }
    m_s.lastPaid = m_paid;
    const bool belowZero = std::any_of(m_s.points.begin(), m_s.points.end(),
                                       [](const Points& p) { return p.IsNegative(); });
    if (m_rules.endBelowZero && belowZero) {
        m_s.finished = true;
    }
    if (m_s.finished) {
        m_paid.assign(m_paid.size(), Points());
        Finish();
    }
    return std::nullopt;
}

Standings StartOf(const Game& game) {
    Standings s;
    s.points.assign(static_cast<std::size_t>(game.rules.players), game.rules.startingPoints);
    s.lastPaid.assign(s.points.size(), Points());
    return s;
}

GameError AtEvent(std::size_t index, const GameError& error) {
    const std::string n = std::to_string(index + 1);
    return Error("event " + n + ": " + error.message, n + "番目の記録: " + error.japanese);
}

}  // namespace

std::optional<GameError> CheckSetup(const Rules& rules, const std::vector<std::string>& players) {
    if (rules.players != kThreePlayers && rules.players != kMaxPlayers) {
        return Error("a game has 3 or 4 players", "対局は3人か4人です");
    }
    if (static_cast<int>(players.size()) != rules.players) {
        return Error("a game of " + std::to_string(rules.players) + " players needs " +
                         std::to_string(rules.players) + " names, not " +
                         std::to_string(players.size()),
                     std::to_string(rules.players) + "人の名前が必要です");
    }
    for (std::size_t i = 0; i < players.size(); ++i) {
        if (players[i].empty()) {
            return Error("a player's name is empty", "名前が空です");
        }
        // A seat letter names the seat, so it cannot be anyone's name.
        const bool seatLetter =
            players[i].size() == 1 && std::string("ESWN").find(players[i]) != std::string::npos;
        if (seatLetter || std::find(players.begin(), players.begin() + static_cast<long>(i),
                                    players[i]) != players.begin() + static_cast<long>(i)) {
            return Error("player names must differ from each other and from E, S, W, N: '" +
                             players[i] + "'",
                         "名前が重複しています: " + players[i]);
        }
    }
    if (rules.startingPoints.IsNegative() || rules.startingPoints.IsZero()) {
        return Error("the starting points must be above zero", "持ち点は正の数です");
    }
    return std::nullopt;
}

std::variant<Standings, GameError> Replay(const Game& game) {
    if (auto error = CheckSetup(game.rules, game.players)) {
        return *error;
    }
    std::vector<std::size_t> live;
    for (std::size_t i = 0; i < game.events.size(); ++i) {
        if (game.events[i].kind != EventKind::Undo) {
            live.push_back(i);
        } else if (live.empty()) {
            return AtEvent(i, Error("nothing to undo", "取り消す記録がありません"));
        } else {
            live.pop_back();
        }
    }
    Standings standings = StartOf(game);
    for (const std::size_t i : live) {
        if (auto error = Table(game.rules, standings).Apply(game.events[i])) {
            return AtEvent(i, *error);
        }
    }
    standings.live = std::move(live);
    return standings;
}

std::optional<GameError> Append(Game& game, const Event& event) {
    auto before = Replay(game);
    if (auto* error = std::get_if<GameError>(&before)) {
        return *error;
    }
    Standings& standings = std::get<Standings>(before);
    if (event.kind == EventKind::Undo) {
        if (standings.live.empty()) {
            return Error("nothing to undo", "取り消す記録がありません");
        }
    } else if (auto error = Table(game.rules, standings).Apply(event)) {
        return error;
    }
    game.events.push_back(event);
    return std::nullopt;
}

std::string_view RoundWindName(int round) {
    return kWindKanji[static_cast<std::size_t>(round)];
}

std::string RoundName(const Standings& standings) {
    return std::string(RoundWindName(standings.round)) + std::to_string(standings.hand + 1) +
           "局 " + std::to_string(standings.honba) + "本場";
}

}  // namespace velmarto::game
