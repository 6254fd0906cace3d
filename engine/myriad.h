// Japanese myriad-unit rendering of a register: groups of four digits, each followed by its unit.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "engine/digit_register.h"

namespace velmarto {

inline constexpr int kUnitCount = 13;
inline constexpr int kGroupDigits = 4;

// Unit k names the group of digits 4k to 4k + 3; entry 0 closes every number.
using UnitNames = std::array<std::string_view, kUnitCount>;

inline constexpr UnitNames kUnitNames = {"点", "万", "億", "兆", "京", "垓", "杼",
                                         "穣", "溝", "澗", "正", "載", "極"};

// Highest digit index the unit table can name.
inline constexpr int kMaxRenderableDigit = kUnitCount * kGroupDigits - 1;

// The window's units and the two groups beyond 極 that a hand's payments can reach, 10^52 and
// 10^56. Their names take three characters each; every digit of the register is then named.
inline constexpr std::array<std::string_view, kUnitCount + 2> kExtendedUnitNames = {
    "点", "万", "億", "兆", "京", "垓",     "杼",    "穣",
    "溝", "澗", "正", "載", "極", "恒河沙", "阿僧祇"};

// Digits from `highest` down to 0, each group closed by its unit: 30800 -> "3万0800点".
// Throws std::out_of_range for a highest digit outside 0-51.
void RenderMyriad(const DigitRegister& reg, int highest, const UnitNames& unitNames,
                  std::string& out);
// The same with any unit table; throws std::out_of_range beyond the digits it can name.
void RenderMyriad(const DigitRegister& reg, int highest,
                  std::span<const std::string_view> unitNames, std::string& out);
std::string RenderMyriad(const DigitRegister& reg, int highest, const UnitNames& unitNames);

// The same digits without units: 30800 -> "30800". Throws std::out_of_range outside 0-59.
void RenderDigits(const DigitRegister& reg, int highest, std::string& out);

}  // namespace velmarto
