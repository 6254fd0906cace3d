// Defaults that depend on the table, the checks that rules stand together, and the table of
// rules every front end reads.
#include "engine/game/rules.h"

#include <numeric>

namespace velmarto::game {
namespace {

constexpr int kThreeStart = 35000;
constexpr int kThreeReturn = 40000;
constexpr int kThreeNotenTotal = 2000;

constexpr std::array<std::string_view, 2> kLengthKeys = {"east", "east-south"};
constexpr std::array<std::string_view, 2> kRonHonbaKeys = {"first-winner", "each-winner"};
constexpr std::array<std::string_view, 2> kRonHonbaWords = {"first", "each"};
constexpr std::array<std::string_view, 2> kSanmaKeys = {"loss", "split"};

}  // namespace

const std::array<RuleField, 20> kRuleFields = {{
    {"length", &Rules::length, "--length", "east: East round only; east-south (default)", "長さ"},
    {"starting_points", &Rules::startingPoints, "--start",
     "starting points (default 25000; 35000 for three)", "持ち点"},
    {"ron_honba", &Rules::ronHonba, "--ron-honba",
     "who takes the honba on a double ron: first (in turn after the discarder, default) or each",
     "ダブロンの本場"},
    {"sanma_tsumo", &Rules::sanmaTsumo, "--sanma-tsumo",
     "three players' tsumo: loss (the North share is not paid, default) or split",
     "三人麻雀のツモ"},
    {"end_below_zero", &Rules::endBelowZero, "--end-below-zero",
     "end the game when a total goes below zero", "飛びで終了"},
    {"end_on_dealer_top", &Rules::endOnDealerTop, "--no-end-on-top",
     "play on after the dealer wins the last hand on top", "オーラスの親のトップ和了で終了"},
    {"sticks_to_top", &Rules::sticksToTop, "--no-sticks-to-top",
     "leave the sticks on the table at the end with nobody", "残った供託はトップへ"},
    {"chombo_keeps_sticks", &Rules::chomboKeepsSticks, "--chombo-keeps-sticks",
     "a false win leaves the hand's riichi sticks on the table (default: back to their players)",
     "チョンボでも供託は場に残す"},
    {"oka_uma", &Rules::okaUma, "--oka-uma", "final scores with oka and uma", "オカ・ウマ"},
    {"return_points", &Rules::returnPoints, "--return",
     "with --oka-uma, the points each pays back (default 30000; 40000 for three)", "返し"},
    {"uma", &Rules::uma, "--uma",
     "with --oka-uma, the uma in thousands by rank, e.g. 20,10,-10,-20", "ウマ"},
    {"uma_three", &Rules::umaThree, "", "the uma of a three-player game", "ウマ（三人）"},
    {"double_yakuman", &hand::Rules::doubleYakuman, "--no-double-yakuman",
     "count the double yakuman 13 han", "ダブル役満"},
    {"open_tanyao", &hand::Rules::openTanyao, "--no-open-tanyao", "断幺九 only in a closed hand",
     "喰いタン"},
    {"stick", &Rules::stick, "", "a riichi stick", "立直棒"},
    {"ron_honba_points", &Rules::ronHonbaPoints, "", "a honba on a ron", "ロンの積み棒"},
    {"tsumo_honba_points", &Rules::tsumoHonbaPoints, "", "a honba from each payer of a tsumo",
     "ツモの積み棒（1人）"},
    {"noten_total", &Rules::notenTotal, "", "no-ten payments in all", "ノーテン罰符"},
    {"false_win_full", &Rules::falseWinFull, "",
     "a false win: the dealer's penalty to each, another's to the dealer",
     "チョンボ（親へ・親から）"},
    {"false_win_half", &Rules::falseWinHalf, "",
     "a false win: a non-dealer's penalty to each other non-dealer", "チョンボ（子から子へ）"},
}};

std::span<const std::string_view> ChoiceKeys(RuleMember member) {
    if (std::holds_alternative<Length Rules::*>(member)) {
        return kLengthKeys;
    }
    if (std::holds_alternative<RonHonba Rules::*>(member)) {
        return kRonHonbaKeys;
    }
    if (std::holds_alternative<SanmaTsumo Rules::*>(member)) {
        return kSanmaKeys;
    }
    return {};
}

std::span<const std::string_view> ChoiceWords(RuleMember member) {
    if (std::holds_alternative<RonHonba Rules::*>(member)) {
        return kRonHonbaWords;
    }
    return ChoiceKeys(member);
}

Rules DefaultRules(int players) {
    Rules rules;
    rules.players = players;
    rules.hand.players = players;
    if (players == kThreePlayers) {
        rules.startingPoints = Points(kThreeStart);
        rules.returnPoints = Points(kThreeReturn);
        rules.notenTotal = kThreeNotenTotal;
    }
    return rules;
}

std::optional<GameError> CheckRules(const Rules& r) {
    if (r.players != kThreePlayers && r.players != kMaxPlayers) {
        return Refuse(ErrorCode::PlayerCount);
    }
    if (r.startingPoints.IsNegative() || r.startingPoints.IsZero()) {
        return Refuse(ErrorCode::StartNotPositive);
    }
    const Rules defaults = DefaultRules(r.players);
    if (!r.okaUma && (r.uma != defaults.uma || r.umaThree != defaults.umaThree ||
                      r.returnPoints != defaults.returnPoints)) {
        return Refuse(ErrorCode::UmaWithoutOkaUma);
    }
    if (r.okaUma && r.returnPoints < r.startingPoints) {
        return Refuse(ErrorCode::ReturnBelowStart,
                      {r.returnPoints.Decimal(), r.startingPoints.Decimal()});
    }
    const int umaSum = r.players == kThreePlayers
                           ? std::accumulate(r.umaThree.begin(), r.umaThree.end(), 0)
                           : std::accumulate(r.uma.begin(), r.uma.end(), 0);
    if (umaSum != 0) {
        return Refuse(ErrorCode::UmaNotZero, {std::to_string(umaSum)});
    }
    if (r.players == kMaxPlayers && r.sanmaTsumo != defaults.sanmaTsumo) {
        return Refuse(ErrorCode::ThreePlayerRule, {"sanma_tsumo"});
    }
    return std::nullopt;
}

}  // namespace velmarto::game
