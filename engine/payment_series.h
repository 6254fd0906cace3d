// One payment followed han by han: the exact value is kept unrounded, so the next han costs one
// doubling instead of a whole new computation.
#pragma once

#include "engine/digit_register.h"
#include "engine/score_report.h"

namespace velmarto {

class PaymentSeries {
public:
    // Starts at the payment of `hand` (its han, fu and seat) under `rule`.
    PaymentSeries(const PaymentRule& rule, const Hand& hand);

    // Moves on to one han more.
    void NextHan();

    // The payment at the current han, rounded up to 100, in `out`; returns its highest digit.
    int Rounded(DigitRegister& out) const;

    // The highest digit of the exact value; kRegisterDigits once it has outgrown the register.
    int HighestExactDigit() const;

private:
    DigitRegister m_exact{};
    CarryRow m_carry{};
    int m_highest = 0;
};

}  // namespace velmarto
