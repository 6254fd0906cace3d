// Every reading the selectors can produce, checked against payments worked out independently with
// GMP integers: fu x 2^(han + 2) times 4, 2, 1 (non-dealer) or 6, 2 (dealer), rounded up to 100.
#include <gmpxx.h>
#include <gtest/gtest.h>

#include <string>

#include "engine/cp932.h"
#include "engine/payment_series.h"
#include "engine/score_report.h"

namespace velmarto {
namespace {

constexpr const char* kUnits[] = {"点", "万", "億", "兆", "京", "垓", "杼",
                                  "穣", "溝", "澗", "正", "載", "極"};

std::string Myriad(const mpz_class& value) {
    const std::string digits = value.get_str();
    std::string text;
    const std::size_t n = digits.size();
    for (std::size_t i = 0; i < n; ++i) {
        text += digits[i];
        const std::size_t position = n - 1 - i;
        if (position % 4 == 0) {
            text += kUnits[position / 4];
        }
    }
    return text;
}

std::string Payment(int fu, int han, int multiple) {
    mpz_class value = mpz_class(fu) * multiple;
    value <<= han + 2;
    value = (value + 99) / 100 * 100;
    return Myriad(value);
}

std::string ExpectedReport(int tens, int units, int fuIndex, bool dealer) {
    if (tens < 0 || units < 0 || tens + units == 0) {
        return dealer ? "役無しチョンボ！ 子への支払い オール4000点"
                      : "役無しチョンボ！ 親への支払い 4000点／子への支払い 2000点";
    }
    const int han = tens * 10 + units;
    const int fu = fuIndex < 0 ? 20 : fuIndex == 0 ? 25 : 20 + 10 * fuIndex;
    if (dealer) {
        return "点数＝" + Payment(fu, han, 6) + "　子の支払い " + Payment(fu, han, 2) + "オール";
    }
    return "点数＝" + Payment(fu, han, 4) + "　親の支払い " + Payment(fu, han, 2) +
           "／子の支払い " + Payment(fu, han, 1);
}

TEST(Oracle, EverySelectorReadingMatchesExactIntegers) {
    // One set of registers for the whole run, as the window keeps them between calculations.
    DigitRegister a{}, b{}, c{};
    std::size_t longest = 0;
    int cases = 0;
    for (int tens = -1; tens <= kMaxTensIndex; ++tens) {
        for (int units = -1; units <= kMaxUnitsIndex; ++units) {
            for (int fuIndex = -1; fuIndex <= kMaxFuIndex; ++fuIndex) {
                for (bool dealer : {true, false}) {
                    const std::string report = ComposeScoreReport(
                        {tens, units, fuIndex, dealer ? 1 : 0}, a, b, c, kUnitNames);
                    ASSERT_EQ(report, ExpectedReport(tens, units, fuIndex, dealer))
                        << "tens " << tens << " units " << units << " fu index " << fuIndex
                        << (dealer ? " dealer" : " non-dealer");
                    longest = std::max(longest, ToCp932(report).size());
                    ++cases;
                }
            }
        }
    }
    EXPECT_EQ(cases, 5720);
    EXPECT_EQ(longest, 211u) << "longest report in code page 932 bytes";
}

TEST(Oracle, PaymentsCarriedHanByHanMatchExactIntegers) {
    // Tables carry each payment from one han to the next; every step must equal a fresh value.
    for (Seat seat : {Seat::Dealer, Seat::NonDealer}) {
        for (const PaymentRule& rule : PaymentRules(seat)) {
            const int multiple = (rule.seedMultiplier << rule.extraDoublings) / 4;
            for (int fuIndex = -1; fuIndex <= kMaxFuIndex; ++fuIndex) {
                const int fu = FuFromIndex(fuIndex);
                PaymentSeries series(rule, Hand{1, fu, seat});
                for (int han = 1; han <= kMaxHan; ++han, series.NextHan()) {
                    DigitRegister reg{};
                    const int highest = series.Rounded(reg);
                    ASSERT_EQ(RenderMyriad(reg, highest, kUnitNames), Payment(fu, han, multiple))
                        << rule.label << " " << fu << " fu " << han << " han";
                }
            }
        }
    }
}

}  // namespace
}  // namespace velmarto
