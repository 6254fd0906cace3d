// The same register operations as a single payment, split where the rounding would go.
#include "engine/payment_series.h"

namespace velmarto {

PaymentSeries::PaymentSeries(const PaymentRule& rule, const Hand& hand) {
    SeedRegister(m_exact, rule.seedMultiplier * hand.fu);
    for (int pass = 0; pass < hand.han + rule.extraDoublings; ++pass) {
        NextHan();
    }
}

void PaymentSeries::NextHan() {
    DoubleRegister(m_exact, m_carry, m_highest);
}

int PaymentSeries::HighestExactDigit() const {
    return m_carry[kRegisterDigits] != 0 ? kRegisterDigits : m_highest;
}

int PaymentSeries::Rounded(DigitRegister& out) const {
    out = m_exact;
    CarryRow carry = m_carry;
    int highest = m_highest;
    RoundUpToHundred(out, carry, highest);
    return highest;
}

}  // namespace velmarto
