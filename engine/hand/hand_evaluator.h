// From a checked hand to its score: every reading is counted and the one that pays the most under
// no limit is kept, then its exact payments and report.
#pragma once

#include <optional>
#include <string>
#include <variant>

#include "engine/hand/fu.h"
#include "engine/hand/hand_input.h"
#include "engine/hand/hand_payments.h"
#include "engine/hand/reading.h"
#include "engine/hand/yaku.h"

namespace velmarto::hand {

struct DoraCount {
    int dora = 0;
    int aka = 0;  // red fives
    int ura = 0;
    int kita = 0;  // 北 set aside, three players
    int Han() const { return dora + aka + ura + kita; }
};

struct HandResult {
    Reading reading;
    YakuList yaku;   // without dora
    DoraCount dora;  // counted only when there is a yaku
    int han = 0;     // yaku and dora together; 0 for a win without yaku
    FuCount fu;
    bool NoYaku() const { return yaku.count == 0; }
};

// The reading that pays the most: the largest fu x 2^han, then the most han; a reading with a
// yaku before any without. An error when the tiles are no winning hand.
std::variant<HandResult, NotationError> EvaluateHand(const HandInput& hand);

struct HandScore {
    HandResult result;
    Seat seat = Seat::Dealer;
    std::optional<HandPayments> payments;  // none for a win without yaku
    std::optional<Settlement> settlement;  // with honba or riichi sticks
    std::string report;                    // as the score window words it
    std::string settlementLine;            // empty without honba and sticks
    bool tsumo = false;
};

// Evaluates and pays. An error too when a payment outgrows the register.
std::variant<HandScore, NotationError> ScoreHand(const HandInput& hand, Figures style);

// Who pays what for a scored hand, honba and sticks included: the discarder on a ron, each payer
// on a tsumo. Empty for a win without yaku. Worded on request: most callers never show it.
std::string PayersLine(const HandScore& score, Figures style);

}  // namespace velmarto::hand
