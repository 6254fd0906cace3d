// Register operations. A pass touches only the live digits: the ones above are zero and stay so.
#include "engine/digit_register.h"

#include <algorithm>

namespace velmarto {
namespace {

// Seeds write digits 0-2 only.
constexpr int kSeedTopDigit = 2;
constexpr int kTopDigit = kRegisterDigits - 1;

// Twice the digit, less the ten carried out of it.
std::int32_t DoubledDigit(std::int32_t digit) {
    return 2 * digit - (digit >= 5 ? 10 : 0);
}

// Index of the most significant digit that may be nonzero.
int LiveTop(int highest) {
    return std::max(highest, kSeedTopDigit);
}

int TopNonzeroFrom(const DigitRegister& reg, int from, int fallback) {
    for (int i = from; i >= 0; --i) {
        if (reg[i] != 0) {
            return i;
        }
    }
    return fallback;
}

}  // namespace

void Clear(DigitRegister& reg) {
    reg.fill(0);
}

void SeedRegister(DigitRegister& reg, int value) {
    // 25 and 75 are the only seeds that are not multiples of 10.
    if (value == 25 || value == 75) {
        reg[0] = 5;
        reg[1] = value / 10;
        return;
    }
    reg[1] = value % 100 / 10;
    reg[2] = value / 100;
}

void DoubleRegister(DigitRegister& reg, CarryRow& carry, int& highest) {
    // A digit doubled plus a carry of at most 1 exceeds 9 exactly when the digit is 5 or more, so
    // every carry of the pass is known from the old digits; walking down keeps them unchanged.
    const int top = LiveTop(highest);
    if (top == kTopDigit) {
        carry[kRegisterDigits] |= reg[kTopDigit] >= 5 ? 1 : 0;
    }
    const int end = std::min(top + 1, kTopDigit);
    for (int i = end; i > 0; --i) {
        reg[i] = DoubledDigit(reg[i]) + (reg[i - 1] >= 5 ? 1 : 0);
    }
    reg[0] = DoubledDigit(reg[0]) + carry[0];
    carry[0] = 0;
    highest = TopNonzeroFrom(reg, end, highest);
}

void RoundUpToHundred(DigitRegister& reg, CarryRow& carry, int& highest) {
    if (reg[1] == 0) {
        return;
    }
    reg[1] = 0;
    int i = 2;
    while (i < kRegisterDigits && reg[i] == 9) {
        reg[i++] = 0;
    }
    if (i == kRegisterDigits) {
        carry[kRegisterDigits] = 1;  // the value wrapped past 10^60
        return;
    }
    ++reg[i];
    highest = std::max(highest, i);
}

}  // namespace velmarto
