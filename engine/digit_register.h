// Fixed 60-digit decimal register: the exact arithmetic behind every no-limit payment.
#pragma once

#include <array>
#include <cstdint>

namespace velmarto {

inline constexpr int kRegisterDigits = 60;

// Decimal digits 0-9, least significant first; no sign, no length. Arithmetic is modulo 10^60.
using DigitRegister = std::array<std::int32_t, kRegisterDigits>;

// Pending carries of one register computation. Every carry is consumed within the operation that
// raised it, so between operations only entry 60 can be set: the carry dropped out of digit 59.
using CarryRow = std::array<std::int32_t, kRegisterDigits + 1>;

// A register computation: Clear (or a cleared register), SeedRegister, DoubleRegister k times,
// RoundUpToHundred once, all with one fresh CarryRow and `highest` starting at 0. Between these
// steps `highest` is the index of the most significant nonzero digit, except right after seeding,
// when it is still 0; the operations rely on every digit above max(highest, 2) being zero.
void Clear(DigitRegister& reg);

// Places a fu count (20, 25, 30, 40 ... 200) or three times one (60, 75 ... 600).
void SeedRegister(DigitRegister& reg, int value);

// Doubles the value exactly.
void DoubleRegister(DigitRegister& reg, CarryRow& carry, int& highest);

// Raises the value to the next multiple of 100 when its tens digit is nonzero. The units digit is
// not looked at: every value that gets here is a multiple of 10.
void RoundUpToHundred(DigitRegister& reg, CarryRow& carry, int& highest);

}  // namespace velmarto
