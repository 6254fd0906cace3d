// The fold from events to standings. Every payment moves points between players or onto the
// table and back, so the players' points and the sticks always add up to the starting total.
#include "engine/game/replay.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <set>

#include "engine/game/checks.h"
#include "engine/game/tsumo_shares.h"
#include "engine/hand/hand_evaluator.h"
#include "engine/hand/hand_payments.h"
#include "engine/hand/hand_summary.h"

namespace velmarto::game {
namespace {

constexpr std::array<std::string_view, kMaxPlayers> kWindKanji = {"東", "南", "西", "北"};

int RoundsOf(Length length) {
    return length == Length::East ? 1 : 2;
}

// The rank order: most points first, ties by seat order (said in the comparison: a stable sort
// costs the page several kilobytes).
std::vector<PlayerIndex> RankOrder(const std::vector<Points>& points) {
    std::vector<PlayerIndex> order(points.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](PlayerIndex a, PlayerIndex b) {
        const auto byPoints =
            points[static_cast<std::size_t>(b)] <=> points[static_cast<std::size_t>(a)];
        return byPoints != 0 ? byPoints < 0 : a < b;
    });
    return order;
}

std::string Seat(PlayerIndex player) {
    return std::to_string(player);
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
    static_cast<hand::Declared&>(text.situation) = d.declared;
    text.situation.kita = d.kita;
    return text;
}

GameError FromNotation(const hand::NotationError& error) {
    return Refuse(ErrorCode::HandNotation, {error.message, error.japanese});
}

// One event of a hand applied to the standings, as an effect; each step adds to the effect's
// payments and never touches the totals directly.
class Table {
public:
    Table(const Rules& rules, Standings& standings) : m_rules(rules), m_s(standings) {}

    std::optional<GameError> Apply(std::size_t position, const Event& event);

private:
    const Rules& m_rules;
    Standings& m_s;
    Effect m_effect;

    int Players() const { return m_rules.players; }
    void Pay(PlayerIndex from, PlayerIndex to, const Points& amount);
    void ToTable(PlayerIndex from);
    void SticksTo(PlayerIndex to);

    struct WinValue {
        WinFigures figures;
        hand::HandPayments payments;
    };
    std::variant<WinValue, GameError> Value(const Win& win, bool tsumo) const;
    std::variant<WinValue, GameError> HandValue(const Win& win, const HandDescription& d,
                                                bool tsumo) const;
    std::optional<GameError> Do(const Ron& ron);
    std::optional<GameError> Do(const Tsumo& tsumo);
    std::optional<GameError> Do(const Riichi& riichi);
    std::optional<GameError> Do(const Draw& draw);
    std::optional<GameError> Do(const Abort& abort);
    std::optional<GameError> Do(const FalseWin& falseWin);
    enum class HandEnd { Win, Draw, Void };
    void AfterHand(HandEnd end, bool dealerKeeps);
    void Finish();
};

void Table::Pay(PlayerIndex from, PlayerIndex to, const Points& amount) {
    m_effect.paid[static_cast<std::size_t>(from)] -= amount;
    m_effect.paid[static_cast<std::size_t>(to)] += amount;
}

void Table::ToTable(PlayerIndex from) {
    m_effect.paid[static_cast<std::size_t>(from)] -= Points(m_rules.stick);
    ++m_s.sticks;
    ++m_effect.sticks;
}

void Table::SticksTo(PlayerIndex to) {
    m_effect.paid[static_cast<std::size_t>(to)] += Points(m_rules.stick).Times(m_s.sticks);
    m_effect.sticks -= m_s.sticks;
    m_s.sticks = 0;
}

std::variant<Table::WinValue, GameError> Table::HandValue(const Win& win, const HandDescription& d,
                                                          bool tsumo) const {
    const bool declared = m_s.declared[static_cast<std::size_t>(win.winner)];
    if (auto error = CheckDeclared(m_rules, d.declared, declared, win.winner)) {
        return *error;
    }
    hand::HandText text = TextOf(d);
    // A declared riichi counts without the hand saying so; a double riichi is the hand's to say.
    if (!m_rules.Legacy()) {
        text.situation.riichi = declared && !d.declared.doubleRiichi;
    }
    text.situation.tsumo = tsumo;
    text.situation.roundWind = m_s.round;
    text.situation.seatWind = m_s.SeatWindOf(win.winner);
    text.rules = m_rules.hand;
    text.rules.players = Players();
    auto input = hand::ReadHand(text);
    if (auto* error = std::get_if<hand::NotationError>(&input)) {
        return FromNotation(*error);
    }
    const hand::HandInput& hand = std::get<hand::HandInput>(input);
    auto evaluated = hand::EvaluateHand(hand);
    if (auto* error = std::get_if<hand::NotationError>(&evaluated)) {
        return FromNotation(*error);
    }
    const hand::HandResult& result = std::get<hand::HandResult>(evaluated);
    if (result.NoYaku()) {
        return Refuse(ErrorCode::NoYaku);
    }
    if (win.liable) {
        if (auto error = CheckLiableHand(m_rules, hand, result)) {
            return *error;
        }
    }
    WinValue value;
    value.figures = {win.winner, result.han, result.fu.total, {}};
    for (const hand::HanLine& line : hand::HanLines(result)) {
        value.figures.yaku.push_back(std::string(line.name) + " " + std::to_string(line.han) +
                                     "飜");
    }
    return value;
}

std::variant<Table::WinValue, GameError> Table::Value(const Win& win, bool tsumo) const {
    std::variant<WinValue, GameError> value = WinValue{};
    if (const auto* hanFu = std::get_if<HanFu>(&win.score)) {
        if (auto error = CheckHanFu(m_rules, *hanFu, tsumo)) {
            return *error;
        }
        if (win.liable) {
            if (auto error = CheckLiableHanFu(m_rules, *hanFu)) {
                return *error;
            }
        }
        std::get<WinValue>(value).figures = {win.winner, hanFu->han, hanFu->fu, {}};
    } else {
        value = HandValue(win, std::get<HandDescription>(win.score), tsumo);
        if (std::holds_alternative<GameError>(value)) {
            return value;
        }
    }
    WinValue& v = std::get<WinValue>(value);
    const velmarto::Seat seat =
        win.winner == m_s.Dealer() ? velmarto::Seat::Dealer : velmarto::Seat::NonDealer;
    auto payments = hand::ComputePayments(v.figures.han, v.figures.fu, seat);
    if (!payments) {
        return Refuse(ErrorCode::TooLarge, {std::to_string(v.figures.han)});
    }
    v.payments = *payments;
    return value;
}

// Pays a win on a discard for each winner, in turn order after the discarder; the sticks go to
// the first of them, the honba to the first or to each by rule. A liable player pays half.
std::optional<GameError> Table::Do(const Ron& ron) {
    if (auto error = CheckSeated(m_s, ron.discarder)) {
        return error;
    }
    if (ron.wins.empty() || static_cast<int>(ron.wins.size()) >= Players()) {
        return Refuse(ErrorCode::RonWinnerCount);
    }
    std::vector<const Win*> order;
    std::set<PlayerIndex> winners;
    for (const Win& win : ron.wins) {
        if (auto error = CheckSeated(m_s, win.winner)) {
            return error;
        }
        if (win.winner == ron.discarder) {
            return Refuse(ErrorCode::RonOwnDiscard, {Seat(win.winner)});
        }
        if (auto error = CheckLiablePlayer(m_rules, m_s, win, ron.discarder)) {
            return error;
        }
        if (!winners.insert(win.winner).second) {
            return Refuse(ErrorCode::WinnerTwice, {Seat(win.winner)});
        }
        order.push_back(&win);
    }
    const auto turn = [&](const Win* w) {
        return (w->winner - ron.discarder + Players()) % Players();
    };
    std::sort(order.begin(), order.end(), [&](auto a, auto b) { return turn(a) < turn(b); });
    // Every win is valued before anything is paid, so a refused one leaves the table untouched.
    std::vector<WinValue> values;
    for (const Win* win : order) {
        auto value = Value(*win, false);
        if (auto* error = std::get_if<GameError>(&value)) {
            return *error;
        }
        values.push_back(std::get<WinValue>(std::move(value)));
    }
    bool dealerWon = false;
    for (std::size_t i = 0; i < order.size(); ++i) {
        const Win& win = *order[i];
        const Points points = Points::FromRegister(values[i].payments.figures[0].digits);
        if (win.liable) {
            int remainder = 0;
            const Points half = points.DividedBy(2, remainder).RoundedUpToHundred();
            Pay(*win.liable, win.winner, half);
            Pay(ron.discarder, win.winner, points - half);
        } else {
            Pay(ron.discarder, win.winner, points);
        }
        if (i == 0 || m_rules.ronHonba == RonHonba::EachWinner) {
            Pay(ron.discarder, win.winner, Points(m_rules.ronHonbaPoints).Times(m_s.honba));
        }
        if (i == 0) {
            SticksTo(win.winner);
        }
        dealerWon |= win.winner == m_s.Dealer();
        m_effect.wins.push_back(std::move(values[i].figures));
    }
    AfterHand(HandEnd::Win, dealerWon);
    return std::nullopt;
}

// A tsumo: each other player's share (the dealer's doubled for a non-dealer's win). At three
// players the absent North's share is lost or split between the two payers, by rule.
std::optional<GameError> Table::Do(const Tsumo& tsumo) {
    const Win& win = tsumo.win;
    if (auto error = CheckSeated(m_s, win.winner)) {
        return error;
    }
    if (auto error = CheckLiablePlayer(m_rules, m_s, win, std::nullopt)) {
        return error;
    }
    auto value = Value(win, true);
    if (auto* error = std::get_if<GameError>(&value)) {
        return *error;
    }
    WinValue& v = std::get<WinValue>(value);
    const TsumoShares shares = TsumoSharesOf(v.payments, Players(), m_rules.sanmaTsumo);
    const bool dealerWon = win.winner == m_s.Dealer();
    const Points honba = Points(m_rules.tsumoHonbaPoints).Times(m_s.honba);
    for (PlayerIndex p = 0; p < Players(); ++p) {
        if (p == win.winner) {
            continue;
        }
        const bool dealerPays = !dealerWon && p == m_s.Dealer();
        Pay(win.liable.value_or(p), win.winner,
            (dealerPays ? shares.dealer : shares.nonDealer) + honba);
    }
    SticksTo(win.winner);
    m_effect.wins.push_back(std::move(v.figures));
    AfterHand(HandEnd::Win, dealerWon);
    return std::nullopt;
}

std::optional<GameError> Table::Do(const Riichi& riichi) {
    if (auto error = CheckRiichi(m_rules, m_s, riichi.player)) {
        return error;
    }
    ToTable(riichi.player);
    m_s.declared[static_cast<std::size_t>(riichi.player)] = true;
    return std::nullopt;
}

// No-ten payments: the total split among the tenpai players, paid in equal parts by the others.
// A player who declared riichi is tenpai whether listed or not.
std::optional<GameError> Table::Do(const Draw& draw) {
    std::set<PlayerIndex> tenpai;
    for (PlayerIndex p : draw.tenpai) {
        if (auto error = CheckSeated(m_s, p)) {
            return error;
        }
        if (!tenpai.insert(p).second) {
            return Refuse(ErrorCode::TenpaiTwice, {Seat(p)});
        }
    }
    for (PlayerIndex p = 0; p < Players() && !m_rules.Legacy(); ++p) {
        if (m_s.declared[static_cast<std::size_t>(p)]) {
            tenpai.insert(p);
        }
    }
    const int ready = static_cast<int>(tenpai.size());
    if (ready > 0 && ready < Players()) {
        const Points gets = Points(m_rules.notenTotal / ready);
        const Points pays = Points(m_rules.notenTotal / (Players() - ready));
        for (PlayerIndex p = 0; p < Players(); ++p) {
            m_effect.paid[static_cast<std::size_t>(p)] += tenpai.contains(p) ? gets : -pays;
        }
    }
    AfterHand(HandEnd::Draw, tenpai.contains(m_s.Dealer()));
    return std::nullopt;
}

std::optional<GameError> Table::Do(const Abort&) {
    AfterHand(HandEnd::Draw, true);
    return std::nullopt;
}

// The offender pays; the hand is void and played again, its sticks back with their players
// unless the rules leave them on the table.
std::optional<GameError> Table::Do(const FalseWin& falseWin) {
    const PlayerIndex offender = falseWin.player;
    if (auto error = CheckSeated(m_s, offender)) {
        return error;
    }
    for (PlayerIndex p = 0; p < Players(); ++p) {
        if (p == offender) {
            continue;
        }
        const bool full = offender == m_s.Dealer() || p == m_s.Dealer();
        Pay(offender, p, Points(full ? m_rules.falseWinFull : m_rules.falseWinHalf));
    }
    if (!m_rules.chomboKeepsSticks) {
        for (PlayerIndex p = 0; p < Players(); ++p) {
            if (m_s.declared[static_cast<std::size_t>(p)]) {
                m_effect.paid[static_cast<std::size_t>(p)] += Points(m_rules.stick);
                --m_s.sticks;
                --m_effect.sticks;
            }
        }
    }
    AfterHand(HandEnd::Void, true);
    return std::nullopt;
}

// The dealer keeps the seat with one more honba, or it passes: the honba reset after another's
// win and go on after a draw. A void hand is played again as it was. The game ends after its
// last hand, or early by rule.
void Table::AfterHand(HandEnd end, bool dealerKeeps) {
    m_s.declared.assign(m_s.declared.size(), false);
    if (end == HandEnd::Void) {
        return;
    }
    const bool lastHand = m_s.round == RoundsOf(m_rules.length) - 1 && m_s.hand == Players() - 1;
    if (dealerKeeps) {
        if (end == HandEnd::Win && lastHand && m_rules.endOnDealerTop) {
            std::vector<Points> after = m_s.points;
            for (std::size_t p = 0; p < after.size(); ++p) {
                after[p] += m_effect.paid[p];
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
        const std::vector<Points> before = m_effect.paid;
        m_effect.paid.assign(before.size(), Points());
        SticksTo(RankOrder(m_s.points).front());
        for (std::size_t p = 0; p < before.size(); ++p) {
            m_s.points[p] += m_effect.paid[p];
            m_effect.paid[p] += before[p];
        }
    }
    const std::vector<PlayerIndex> order = RankOrder(m_s.points);
    for (std::size_t rank = 0; rank < order.size(); ++rank) {
        FinalStanding standing{order[rank], m_s.points[static_cast<std::size_t>(order[rank])], {}};
        if (m_rules.okaUma) {
            const int uma = Players() == kThreePlayers ? m_rules.umaThree[rank] : m_rules.uma[rank];
            Points score = standing.points - m_rules.returnPoints + Points(1000).Times(uma);
            if (rank == 0) {
                score += (m_rules.returnPoints - m_rules.startingPoints).Times(Players());
            }
            standing.score = score;
        }
        m_s.final.push_back(standing);
    }
}

std::optional<GameError> Table::Apply(std::size_t position, const Event& event) {
    if (m_s.finished) {
        return Refuse(ErrorCode::GameOver);
    }
    m_effect =
        Effect{position,  m_s.round, m_s.hand,
               m_s.honba, event,     std::vector<Points>(static_cast<std::size_t>(Players())),
               0,         {}};
    // Each step checks before it changes anything, so a refused event leaves the standings as
    // they were.
    auto error = std::visit(
        [&](const auto& e) -> std::optional<GameError> {
            using T = std::decay_t<decltype(e)>;
            if constexpr (std::is_same_v<T, Undo> || std::is_same_v<T, Amend> ||
                          std::is_same_v<T, Rename>) {
                return Refuse(ErrorCode::AmendWithKind, {std::string(InfoOf(event.Kind()).key)});
            } else {
                return Do(e);
            }
        },
        event.value);
    if (error) {
        return error;
    }
    for (std::size_t p = 0; p < m_effect.paid.size(); ++p) {
        m_s.points[p] += m_effect.paid[p];
    }
    const bool belowZero = std::any_of(m_s.points.begin(), m_s.points.end(),
                                       [](const Points& p) { return p.IsNegative(); });
    if (m_rules.endBelowZero && belowZero) {
        m_s.finished = true;
    }
    if (m_s.finished) {
        Finish();
    }
    m_s.history.push_back(std::move(m_effect));
    return std::nullopt;
}

Standings StartOf(const Game& game) {
    Standings s;
    s.names = game.players;
    s.points.assign(game.players.size(), game.rules.startingPoints);
    s.declared.assign(game.players.size(), false);
    return s;
}

// The log read as it stands: the undos, amends and renames worked out, leaving each hand's event
// that stands in its place, and the names.
struct Standing {
    std::vector<std::pair<std::size_t, Event>> events;  // position, event
    std::vector<std::string> names;
};

struct Taken {
    enum class What { Event, Amend, Rename } what;
    std::size_t slot = 0;
    std::optional<Event> previousEvent;
    std::string previousName;
};

std::variant<Standing, GameError> Resolve(const Game& game) {
    std::vector<std::optional<Event>> slots(game.events.size());
    std::vector<std::string> names = game.players;
    std::vector<Taken> taken;
    const std::size_t players = game.players.size();
    for (std::size_t i = 0; i < game.events.size(); ++i) {
        const Event& event = game.events[i];
        const auto at = [i](GameError cause) {
            return Because(ErrorCode::AtEvent, {std::to_string(i + 1)}, std::move(cause));
        };
        if (event.AtTable()) {
            slots[i] = event;
            taken.push_back({Taken::What::Event, i, {}, {}});
        } else if (event.As<Undo>()) {
            if (taken.empty()) {
                return at(Refuse(ErrorCode::NothingToUndo));
            }
            Taken& last = taken.back();
            if (last.what == Taken::What::Rename) {
                names[last.slot] = last.previousName;
            } else {
                slots[last.slot] = last.previousEvent;
            }
            taken.pop_back();
        } else if (const Amend* amend = event.As<Amend>()) {
            const std::size_t slot = amend->position - 1;
            if (amend->position == 0 || slot >= i || !slots[slot]) {
                return at(Refuse(ErrorCode::NoEventAt, {std::to_string(amend->position)}));
            }
            if (!amend->replacement->AtTable()) {
                return at(Refuse(ErrorCode::AmendWithKind,
                                 {std::string(InfoOf(amend->replacement->Kind()).key)}));
            }
            taken.push_back({Taken::What::Amend, slot, slots[slot], {}});
            slots[slot] = *amend->replacement;
        } else if (const Rename* rename = event.As<Rename>()) {
            if (rename->player < 0 || static_cast<std::size_t>(rename->player) >= players) {
                return at(Refuse(ErrorCode::NotSeated, {Seat(rename->player)}));
            }
            const auto p = static_cast<std::size_t>(rename->player);
            std::vector<std::string> others = names;
            others.erase(others.begin() + static_cast<long>(p));
            if (rename->name == names[p]) {
                return at(Refuse(ErrorCode::SameName, {rename->name}));
            }
            if (auto error = CheckName(game.rules, rename->name, others)) {
                return at(*error);
            }
            taken.push_back({Taken::What::Rename, p, {}, names[p]});
            names[p] = rename->name;
        }
    }
    Standing standing;
    standing.names = std::move(names);
    for (std::size_t i = 0; i < slots.size(); ++i) {
        if (slots[i]) {
            standing.events.emplace_back(i + 1, std::move(*slots[i]));
        }
    }
    return standing;
}

}  // namespace

int Standings::SeatWindOf(PlayerIndex player) const {
    const int players = static_cast<int>(points.size());
    return (player - Dealer() + players) % players;
}

std::optional<GameError> CheckSetup(const Rules& rules, const std::vector<std::string>& players) {
    if (auto error = CheckRules(rules)) {
        return error;
    }
    if (static_cast<int>(players.size()) != rules.players) {
        return Refuse(ErrorCode::NameCount,
                      {std::to_string(rules.players), std::to_string(players.size())});
    }
    for (std::size_t i = 0; i < players.size(); ++i) {
        const std::vector<std::string> before(players.begin(),
                                              players.begin() + static_cast<long>(i));
        if (auto error = CheckName(rules, players[i], before)) {
            return error;
        }
    }
    return std::nullopt;
}

std::variant<Standings, GameError> Replay(const Game& game) {
    if (auto error = CheckSetup(game.rules, game.players)) {
        return *error;
    }
    auto resolved = Resolve(game);
    if (auto* error = std::get_if<GameError>(&resolved)) {
        return *error;
    }
    Standing& standing = std::get<Standing>(resolved);
    Standings standings = StartOf(game);
    for (const auto& [position, event] : standing.events) {
        if (auto error = Table(game.rules, standings).Apply(position, event)) {
            return Because(ErrorCode::AtEvent, {std::to_string(position)}, *error);
        }
    }
    standings.names = std::move(standing.names);
    standings.position = game.events.size();
    return standings;
}

std::optional<GameError> Append(Game& game, Standings& standings, const Event& event) {
    if (event.AtTable()) {
        if (auto error = Table(game.rules, standings).Apply(game.events.size() + 1, event)) {
            return error;
        }
        game.events.push_back(event);
        standings.position = game.events.size();
        return std::nullopt;
    }
    // An undo, an amend or a rename may change what stands before the end: replay it all.
    game.events.push_back(event);
    auto replayed = Replay(game);
    if (auto* error = std::get_if<GameError>(&replayed)) {
        game.events.pop_back();
        // A stored event's refusal is about the new one itself, or about a later event that no
        // longer survives an amend.
        if (error->code == ErrorCode::AtEvent && error->cause) {
            const std::size_t at = std::stoul(error->args.front());
            const Amend* amend = event.As<Amend>();
            if (amend && at != game.events.size() + 1 && at != amend->position) {
                return Because(ErrorCode::LaterEventBreaks, error->args, *error->cause);
            }
            return *error->cause;
        }
        return *error;
    }
    standings = std::get<Standings>(std::move(replayed));
    return std::nullopt;
}

std::optional<GameError> Append(Game& game, const Event& event) {
    auto standings = Replay(game);
    if (auto* error = std::get_if<GameError>(&standings)) {
        return *error;
    }
    return Append(game, std::get<Standings>(standings), event);
}

std::string_view RoundWindName(int round) {
    return kWindKanji[static_cast<std::size_t>(round)];
}

std::string RoundName(int round, int hand, int honba) {
    return std::string(RoundWindName(round)) + std::to_string(hand + 1) + "局 " +
           std::to_string(honba) + "本場";
}

std::string RoundName(const Standings& s) {
    return RoundName(s.round, s.hand, s.honba);
}

}  // namespace velmarto::game
