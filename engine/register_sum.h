// Sums of registers: what a winner collects once honba and riichi sticks are added to the
// rounded payments.
#pragma once

#include <cstdint>

#include "engine/digit_register.h"

namespace velmarto {

// A register holding `value`.
DigitRegister RegisterFrom(std::uint64_t value);

// Adds `value` into `sum`; false when the sum needs more than the register's 60 digits.
bool AddRegister(DigitRegister& sum, const DigitRegister& value);

// Index of the most significant nonzero digit; 0 for zero.
int HighestDigit(const DigitRegister& reg);

}  // namespace velmarto
