// The evaluator tries every reading; yaku, fu and payments each come from their own file.
#include "engine/hand/hand_evaluator.h"

#include <algorithm>
#include <optional>

#include "engine/hand/three_players.h"

namespace velmarto::hand {
namespace {

// Fu never differ by a factor of 2^4 (20 to 170), so a han lead this large decides alone.
constexpr int kDecisiveHanLead = 8;

// Whether a pays more than b under no limit; on equal pay, more han wins.
bool PaysMore(const HandResult& a, const HandResult& b) {
    if (a.NoYaku() != b.NoYaku()) {
        return b.NoYaku();
    }
    const int low = std::min(a.han, b.han);
    if (std::abs(a.han - b.han) >= kDecisiveHanLead) {
        return a.han > b.han;
    }
    const long valueA = static_cast<long>(a.fu.total) << (a.han - low);
    const long valueB = static_cast<long>(b.fu.total) << (b.han - low);
    return valueA != valueB ? valueA > valueB : a.han > b.han;
}

DoraCount CountDora(const HandInput& hand, const TileCounts& all) {
    DoraCount count;
    const auto pointedAt = [&](const std::vector<Tile>& indicators) {
        int n = 0;
        for (const Tile& indicator : indicators) {
            const TileIndex dora = DoraOf(indicator.index, hand.rules.players);
            // The 北 set aside still count when 北 is the dora.
            n += all[static_cast<std::size_t>(dora)] + (dora == kNorth ? hand.situation.kita : 0);
        }
        return n;
    };
    count.dora = pointedAt(hand.dora);
    count.ura = pointedAt(hand.ura);
    count.kita = hand.situation.kita;
    for (const Tile& t : hand.concealed) {
        count.aka += t.red;
    }
    for (const Meld& meld : hand.melds) {
        for (const Tile& t : meld.tiles) {
            count.aka += t.red;
        }
    }
    return count;
}

// PresentKinds of the hand's counts, from its few tiles rather than all 34 kinds.
TileMask KindsHeld(const HandInput& hand) {
    TileMask kinds = 0;
    for (const Tile& t : hand.concealed) {
        kinds |= TileBit(t.index);
    }
    for (const Meld& meld : hand.melds) {
        for (const Tile& t : meld.tiles) {
            kinds |= TileBit(t.index);
        }
    }
    return kinds;
}

bool HasPinfu(const YakuList& yaku) {
    const auto view = yaku.View();
    return std::any_of(view.begin(), view.end(),
                       [](const ScoredYaku& y) { return y.id == YakuId::Pinfu; });
}

Seat SeatOf(const HandInput& hand) {
    return hand.Dealer() ? Seat::Dealer : Seat::NonDealer;
}

// Writes the reading that pays the most into `best`; false when no reading wins. The readings are
// counted in turn in `best` and one scratch result, the leader kept and the other written next,
// so a result is copied at most once, at the end.
bool FindBestReading(const HandInput& hand, HandResult& best) {
    struct Search {
        const HandInput& hand;
        TileCounts all;
        TileMask present;
        DoraCount dora;
        bool closed;
        HandResult* next;
        HandResult* leader = nullptr;
        HandResult scratch{};
        std::optional<HandYaku> handYaku{};  // found with the first reading
    };
    Search search{hand, hand.AllCounts(), KindsHeld(hand), {}, hand.Closed(), &best};
    search.dora = CountDora(hand, search.all);
    ForEachReading(hand, [&search](const Reading& reading) {
        HandResult& result = *search.next;
        result.reading = reading;
        const YakuContext context{search.hand, reading, search.all, search.closed, search.present};
        if (!search.handYaku) {
            search.handYaku = FindHandYaku(context);
        }
        FindYaku(context, *search.handYaku, result.yaku);
        result.fu = CountFu(search.hand, reading, HasPinfu(result.yaku));
        const bool scores = !result.NoYaku();
        result.dora = scores ? search.dora : DoraCount{};
        result.han = scores ? result.yaku.Han() + search.dora.Han() : 0;
        if (search.leader == nullptr || PaysMore(result, *search.leader)) {
            search.next = search.leader == nullptr ? &search.scratch : search.leader;
            search.leader = &result;
        }
    });
    if (search.leader == &search.scratch) {
        best = search.scratch;
    }
    return search.leader != nullptr;
}

NotationError NoWinningHand() {
    return {
        "not a winning hand: the tiles make neither four sets and a pair, seven pairs nor "
        "thirteen orphans",
        "和了の形になっていません"};
}

// Scores into `score`; the error when the hand is not a win or pays beyond the register.
std::optional<NotationError> Score(const HandInput& hand, Figures style, HandScore& score) {
    if (!FindBestReading(hand, score.result)) {
        return NoWinningHand();
    }
    score.seat = SeatOf(hand);
    const HandResult& result = score.result;
    if (result.NoYaku()) {
        // The window's own line for a win without yaku: han 0, the fu selector left alone.
        DigitRegister a{}, b{}, c{};
        score.report =
            ComposeScoreReport({0, 0, -1, score.seat == Seat::Dealer ? 1 : 0}, a, b, c, kUnitNames);
        return std::nullopt;
    }
    score.payments = ComputePayments(result.han, result.fu.total, score.seat);
    const Situation& s = hand.situation;
    const bool settles = s.honba > 0 || s.sticks > 0;
    score.tsumo = s.tsumo;
    if (score.payments && settles) {
        score.settlement = Settle(*score.payments, s.tsumo, s.honba, s.sticks);
    }
    if (!score.payments || (settles && !score.settlement)) {
        return NotationError{
            std::to_string(result.han) + " han " + std::to_string(result.fu.total) +
                " fu pays 10^59 or more, beyond the 60-digit register",
            "点数が大きすぎて計算できません（" + std::to_string(result.han) + "飜）"};
    }
    score.report = ComposeReport(*score.payments, style);
    if (score.settlement) {
        score.settlementLine = ComposeSettlementLine(*score.settlement, *score.payments, s.tsumo,
                                                     s.honba, s.sticks, style);
    }
    return std::nullopt;
}

}  // namespace

// The results are built where they are returned: a hand's score is a few kilobytes of digits.
std::variant<HandResult, NotationError> EvaluateHand(const HandInput& hand) {
    std::variant<HandResult, NotationError> evaluated(std::in_place_type<HandResult>);
    if (!FindBestReading(hand, std::get<HandResult>(evaluated))) {
        evaluated = NoWinningHand();
    }
    return evaluated;
}

std::variant<HandScore, NotationError> ScoreHand(const HandInput& hand, Figures style) {
    std::variant<HandScore, NotationError> scored(std::in_place_type<HandScore>);
    if (std::optional<NotationError> error = Score(hand, style, std::get<HandScore>(scored))) {
        scored = std::move(*error);
    }
    return scored;
}

std::string PayersLine(const HandScore& score, Figures style) {
    if (!score.payments) {
        return "";
    }
    // Without honba and sticks the bare payments change hands; they always fit the register.
    const std::optional<Settlement> settled =
        score.settlement ? score.settlement : Settle(*score.payments, score.tsumo, 0, 0);
    return settled ? ComposePayersLine(*settled, *score.payments, score.tsumo, style) : "";
}

}  // namespace velmarto::hand
