// Myriad rendering: grouping, kept zeros, unit names and the limits of the unit table.
#include "engine/myriad.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace velmarto {
namespace {

// A register holding the decimal number `text`, and its highest digit.
std::pair<DigitRegister, int> FromDigits(std::string_view text) {
    DigitRegister reg{};
    const int highest = static_cast<int>(text.size()) - 1;
    for (int i = 0; i <= highest; ++i) {
        reg[i] = text[highest - i] - '0';
    }
    return {reg, highest};
}

TEST(RenderMyriad, GroupsDigitsByFourWithUnits) {
    const std::pair<const char*, const char*> cases[] = {
        {"200", "200点"},
        {"1000", "1000点"},
        {"10000", "1万0000点"},
        {"11600", "1万1600点"},
        {"30800", "3万0800点"},
        {"503316500", "5億0331万6500点"},
        {"100000000", "1億0000万0000点"},
        {"3190147189883798094969136944672826982400",
         "3190澗1471溝8988穣3798杼0949垓6913京6944兆6728億2698万2400点"},
        {"1000000000000000000000000000000000000000000000000000",
         "1000極0000載0000正0000澗0000溝0000穣0000杼0000垓0000京0000兆0000億0000万0000点"},
    };
    for (const auto& [digits, expected] : cases) {
        const auto [reg, highest] = FromDigits(digits);
        EXPECT_EQ(RenderMyriad(reg, highest, kUnitNames), expected) << digits;
    }
}

TEST(RenderMyriad, UsesTheTableItIsGiven) {
    UnitNames ascii = {"p", "a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l"};
    const auto [reg, highest] = FromDigits("1234567890");
    EXPECT_EQ(RenderMyriad(reg, highest, ascii), "12b3456a7890p");
    EXPECT_EQ(kUnitNames[6], "杼");
}

TEST(RenderMyriad, RejectsDigitsTheUnitTableCannotName) {
    DigitRegister reg{};
    for (int highest : {-1, kMaxRenderableDigit + 1, kRegisterDigits - 1, kRegisterDigits}) {
        EXPECT_THROW(RenderMyriad(reg, highest, kUnitNames), std::out_of_range) << highest;
    }
    std::string digits;
    EXPECT_THROW(RenderDigits(reg, kRegisterDigits, digits), std::out_of_range);
    RenderDigits(reg, kRegisterDigits - 1, digits);
    EXPECT_EQ(digits, std::string(kRegisterDigits, '0'));
}

}  // namespace
}  // namespace velmarto
