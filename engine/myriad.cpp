// Myriad rendering: every group after the leading one keeps its zeros and its unit.
#include "engine/myriad.h"

#include <stdexcept>

namespace velmarto {
namespace {

void CheckHighest(int highest, int limit) {
    if (highest < 0 || highest > limit) {
        throw std::out_of_range("highest digit " + std::to_string(highest) + " is outside 0-" +
                                std::to_string(limit));
    }
}

char DigitChar(std::int32_t digit) {
    return static_cast<char>('0' + digit);
}

}  // namespace

void RenderMyriad(const DigitRegister& reg, int highest, const UnitNames& unitNames,
                  std::string& out) {
    CheckHighest(highest, kMaxRenderableDigit);
    for (int i = highest; i >= 0; --i) {
        out += DigitChar(reg[i]);
        if (i % kGroupDigits == 0) {
            out += unitNames[i / kGroupDigits];
        }
    }
}

std::string RenderMyriad(const DigitRegister& reg, int highest, const UnitNames& unitNames) {
    std::string out;
    RenderMyriad(reg, highest, unitNames, out);
    return out;
}

void RenderDigits(const DigitRegister& reg, int highest, std::string& out) {
    CheckHighest(highest, kRegisterDigits - 1);
    for (int i = highest; i >= 0; --i) {
        out += DigitChar(reg[i]);
    }
}

}  // namespace velmarto
