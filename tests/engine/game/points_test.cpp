// Exact signed points against figures worked out by hand, and against 64-bit arithmetic where it
// still holds.
#include "engine/game/points.h"

#include <gtest/gtest.h>

#include <random>

#include "engine/register_sum.h"

namespace velmarto::game {
namespace {

Points P(std::string_view text) {
    return Points::Parse(text).value();
}

TEST(Points, ArithmeticTable) {
    const struct {
        std::string_view a, b, sum, difference;
    } rows[] = {
        {"0", "0", "0", "0"},
        {"25000", "-25000", "0", "50000"},
        {"-1000", "300", "-700", "-1300"},
        {"999999999", "1", "1000000000", "999999998"},
        {"1000000000", "-1", "999999999", "1000000001"},
        {"-1234567890123400", "987654321000", "-1233580235802400", "-1235555544444400"},
        {"100000000000000000000000000000000000000000000000000000000000000000000", "-1",
         "99999999999999999999999999999999999999999999999999999999999999999999",
         "100000000000000000000000000000000000000000000000000000000000000000001"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.a) + " " + std::string(row.b));
        EXPECT_EQ((P(row.a) + P(row.b)).Decimal(), row.sum);
        EXPECT_EQ((P(row.a) - P(row.b)).Decimal(), row.difference);
        EXPECT_EQ((P(row.a) + P(row.b)) - P(row.b), P(row.a));
    }
}

TEST(Points, AgreesWith64BitWhereItHolds) {
    std::mt19937_64 random(7);
    std::uniform_int_distribution<long long> value(-4'000'000'000'000'000'000LL,
                                                   4'000'000'000'000'000'000LL);
    std::uniform_int_distribution<int> small(1, 1000);
    for (int i = 0; i < 2000; ++i) {
        const long long a = value(random);
        const long long b = value(random);
        const int k = small(random);
        EXPECT_EQ((P(std::to_string(a)) + P(std::to_string(b))).Decimal(), std::to_string(a + b));
        EXPECT_EQ((P(std::to_string(a)) - P(std::to_string(b))).Decimal(), std::to_string(a - b));
        EXPECT_EQ(P(std::to_string(a)) < P(std::to_string(b)), a < b);
        EXPECT_EQ(P(std::to_string(a / 1000)).Times(k).Decimal(), std::to_string(a / 1000 * k));
        int remainder = 0;
        EXPECT_EQ(P(std::to_string(a)).DividedBy(k, remainder).Decimal(), std::to_string(a / k));
        EXPECT_EQ(remainder, a % k);
    }
}

TEST(Points, RoundingParsingAndMyriad) {
    EXPECT_EQ(P("5242850").RoundedUpToHundred().Decimal(), "5242900");
    EXPECT_EQ(P("5242900").RoundedUpToHundred().Decimal(), "5242900");
    EXPECT_EQ(P("-150").RoundedUpToHundred().Decimal(), "-100");
    EXPECT_EQ(Points(0).Myriad(), "0点");
    EXPECT_EQ(Points(30800).Myriad(), "3万0800点");
    EXPECT_EQ(P("-1234567890123400").Myriad(), "-1234兆5678億9012万3400点");
    EXPECT_EQ(P("1" + std::string(60, '0')).Myriad(), "1" + std::string(60, '0') + "点");
    for (std::string_view bad : {"", "-", "-0", "007", "1e5", "12 3", "+5", "1.0"}) {
        EXPECT_FALSE(Points::Parse(bad)) << bad;
    }
    EXPECT_EQ(P("-25000"), -Points(25000));
}

TEST(Points, FromTheHandEnginesRegister) {
    const DigitRegister reg = RegisterFrom(10485800);
    EXPECT_EQ(Points::FromRegister(reg).Decimal(), "10485800");
    DigitRegister full{};
    full.fill(9);
    EXPECT_EQ(Points::FromRegister(full).Decimal(), std::string(kRegisterDigits, '9'));
}

}  // namespace
}  // namespace velmarto::game
