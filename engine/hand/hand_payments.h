// The exact payments of a counted hand, from the same registers and payment rules as the score
// window, for any han the register can hold; and what honba and riichi sticks add after rounding.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "engine/digit_register.h"
#include "engine/score_report.h"

namespace velmarto::hand {

enum class Figures { Myriad, Plain };

struct Figure {
    DigitRegister digits{};
    int highest = 0;
};

// The figures of PaymentRules(seat), in that order: the discard win first, then each tsumo share.
struct HandPayments {
    Seat seat;
    std::array<Figure, 3> figures{};
    int count = 0;
    std::span<const Figure> View() const {
        return {figures.data(), static_cast<std::size_t>(count)};
    }
};

// Names of the payments for machines, in the same order: ron, then tsumo_each for a dealer's
// win, or tsumo_dealer and tsumo_non_dealer for another's.
std::span<const std::string_view> PaymentKeys(Seat seat);

// nullopt when a payment reaches 10^59, past what the register and the unit names hold.
std::optional<HandPayments> ComputePayments(int han, int fu, Seat seat);

// "7700点" in myriad units, or "7700点" as plain digits.
std::string RenderFigure(const Figure& figure, Figures style);
// Plain decimal digits, for machines.
std::string DecimalString(const Figure& figure);

// The report line, in the window's words.
std::string ComposeReport(const HandPayments& payments, Figures style);

// What changes hands once honba (300 a ron, 100 from each payer of a tsumo) and riichi sticks
// (1000 each, to the winner) are added to the rounded payments.
struct Settlement {
    std::array<Figure, 2>
        perPayer{};  // ron: the discarder; tsumo: the dealer and a non-dealer, or each
    int payerKinds = 0;
    Figure winnerGets;
};
std::optional<Settlement> Settle(const HandPayments& payments, bool tsumo, int honba, int sticks);
// Who pays what for this win, honba included: "放銃者の支払い 1800点" on a ron, each payer's share
// on a tsumo.
std::string ComposePayersLine(const Settlement& settlement, const HandPayments& payments,
                              bool tsumo, Figures style);
std::string ComposeSettlementLine(const Settlement& settlement, const HandPayments& payments,
                                  bool tsumo, int honba, int sticks, Figures style);

}  // namespace velmarto::hand
