// From the four selector readings of the score window to the one-line report it shows.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "engine/digit_register.h"
#include "engine/myriad.h"

namespace velmarto {

// Raw selector readings. -1 means the selector has nothing selected.
struct ScoreSelection {
    std::int32_t tensIndex = -1;   // han tens selector, 0-11
    std::int32_t unitsIndex = -1;  // han units selector, 0-9
    std::int32_t fuIndex = -1;     // fu selector, 0-18 for 25, 30, 40 ... 200
    std::int32_t dealerCheck = 0;  // check state of the dealer button; above 0 means checked
};

enum class Seat { Dealer, NonDealer };

inline constexpr int kMaxTensIndex = 11;
inline constexpr int kMaxUnitsIndex = 9;
inline constexpr int kMaxFuIndex = 18;
inline constexpr int kMaxHan = kMaxTensIndex * 10 + kMaxUnitsIndex;

// A hand that scores: 1-119 han and a fu count.
struct Hand {
    int han = 0;
    int fu = 0;
    Seat seat = Seat::Dealer;
};

// The fu count of a selector index; -1 (nothing selected) counts as 20 fu.
int FuFromIndex(int fuIndex);

// The selector index of a fu count (20 gives -1), or nullopt for a count the selector lacks.
std::optional<int> FuIndexOf(int fu);

Seat SeatFromCheck(std::int32_t dealerCheck);

// Decodes the readings; nullopt is the no-yaku case (han 0, or a han selector without
// selection). Throws std::out_of_range naming a reading outside its selector's range.
std::optional<Hand> DecodeSelection(const ScoreSelection& selection);

// What closes a dealer's report: each other player pays the same.
inline constexpr std::string_view kAllSuffix = "オール";

// Which register holds a payment, how it is seeded from the fu count and how often doubled
// beyond han, and the text that introduces it in the report.
struct PaymentRule {
    int registerSlot;
    int seedMultiplier;
    int extraDoublings;
    std::string_view label;
};

// The payments of a win from this seat, in report order.
std::span<const PaymentRule> PaymentRules(Seat seat);

// Seeds a cleared register with the rule's value for the hand, doubles and rounds it; returns the
// index of its highest digit for rendering. Each payment is exact on its own, never derived from
// another one's figure.
int ComputePayment(DigitRegister& reg, const PaymentRule& rule, const Hand& hand);

// The report line. Clears all three registers unless the hand has no yaku.
std::string ComposeScoreReport(const ScoreSelection& selection, DigitRegister& registerA,
                               DigitRegister& registerB, DigitRegister& registerC,
                               const UnitNames& unitNames);

}  // namespace velmarto
