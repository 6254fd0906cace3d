// Myriad rendering: every group after the leading one keeps its zeros and its unit.
#include "engine/myriad.h"

#include <array>
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
    RenderMyriad(reg, highest, std::span<const std::string_view>(unitNames), out);
}

void RenderMyriad(const DigitRegister& reg, int highest,
                  std::span<const std::string_view> unitNames, std::string& out) {
    CheckHighest(highest, static_cast<int>(unitNames.size()) * kGroupDigits - 1);
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
    // Written in one append: tables render thousands of these.
    std::array<char, kRegisterDigits> digits;
    const auto count = static_cast<std::size_t>(highest + 1);
    for (std::size_t i = 0; i < count; ++i) {
        digits[i] = DigitChar(reg[count - 1 - i]);
    }
    out.append(digits.data(), count);
}

}  // namespace velmarto
