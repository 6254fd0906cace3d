// Register arithmetic: doubling, rounding and the highest digit the rendering starts from.
#include "engine/digit_register.h"

#include <gtest/gtest.h>

#include <string>

namespace velmarto {
namespace {

std::string Digits(const DigitRegister& reg) {
    std::string text;
    for (int i = kRegisterDigits - 1; i >= 0; --i) {
        if (!text.empty() || reg[i] != 0 || i == 0) {
            text += static_cast<char>('0' + reg[i]);
        }
    }
    return text;
}

struct RegisterCase {
    const char* name;
    int seed;
    int passes;
    const char* doubled;
    int doubledHighest;
    const char* rounded;
    int roundedHighest;
};

void PrintTo(const RegisterCase& c, std::ostream* os) {
    *os << c.name;
}

class RegisterComputation : public testing::TestWithParam<RegisterCase> {};

TEST_P(RegisterComputation, DoublesExactlyAndRoundsUpToHundred) {
    const RegisterCase& c = GetParam();
    DigitRegister reg{};
    CarryRow carry{};
    int highest = 0;
    SeedRegister(reg, c.seed);
    for (int pass = 0; pass < c.passes; ++pass) {
        DoubleRegister(reg, carry, highest);
    }
    EXPECT_EQ(Digits(reg), c.doubled);
    EXPECT_EQ(highest, c.doubledHighest);
    RoundUpToHundred(reg, carry, highest);
    EXPECT_EQ(Digits(reg), c.rounded);
    EXPECT_EQ(highest, c.roundedHighest);
    for (int i = 0; i < kRegisterDigits; ++i) {
        EXPECT_EQ(carry[i], 0) << "carry left pending at digit " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RegisterComputation,
    testing::Values(RegisterCase{"carry_into_new_digit", 30, 5, "960", 2, "1000", 3},
                    RegisterCase{"seed_25_no_rounding", 25, 3, "200", 2, "200", 2},
                    RegisterCase{"seed_20", 20, 5, "640", 2, "700", 2},
                    RegisterCase{"seed_75", 75, 4, "1200", 3, "1200", 3},
                    RegisterCase{"rounding_carry_stops_early", 30, 15, "983040", 5, "983100", 5},
                    RegisterCase{"long_nines_ripple", 990, 0, "990", 0, "1000", 3},
                    RegisterCase{"largest_dealer_seed", 600, 122,
                                 "3190147189883798094969136944672826982400", 39,
                                 "3190147189883798094969136944672826982400", 39}),
    [](const testing::TestParamInfo<RegisterCase>& info) { return info.param.name; });

TEST(DigitRegister, SeedWritesOnlyTheLowThreeDigits) {
    DigitRegister reg{};
    SeedRegister(reg, 200);
    EXPECT_EQ(Digits(reg), "200");
    Clear(reg);
    SeedRegister(reg, 75);
    EXPECT_EQ(Digits(reg), "75");
    Clear(reg);
    EXPECT_EQ(Digits(reg), "0");
}

TEST(DigitRegister, ArithmeticWrapsModuloTenToTheSixtieth) {
    // 5 x 10^59 doubled is 10^60: the carry out of the top digit lands in entry 60 and is lost.
    DigitRegister reg{};
    reg[kRegisterDigits - 1] = 5;
    CarryRow carry{};
    int highest = kRegisterDigits - 1;
    DoubleRegister(reg, carry, highest);
    EXPECT_EQ(Digits(reg), "0");
    EXPECT_EQ(carry[kRegisterDigits], 1);
    EXPECT_EQ(highest, kRegisterDigits - 1) << "an all-zero register keeps its highest digit";
}

}  // namespace
}  // namespace velmarto
