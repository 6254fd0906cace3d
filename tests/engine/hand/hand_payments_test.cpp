// The hand's payments against the window's report, the units past 極, and honba and sticks.
#include "engine/hand/hand_payments.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace velmarto::hand {
namespace {

TEST(HandPayments, MatchTheWindowsReportForEveryHanItShows) {
    DigitRegister a{}, b{}, c{};
    for (Seat seat : {Seat::Dealer, Seat::NonDealer}) {
        for (int han = 1; han <= kMaxHan; ++han) {
            for (int fuIndex = -1; fuIndex <= kMaxFuIndex; ++fuIndex) {
                const auto payments = ComputePayments(han, FuFromIndex(fuIndex), seat);
                ASSERT_TRUE(payments.has_value());
                const ScoreSelection selection{han / 10, han % 10, fuIndex,
                                               seat == Seat::Dealer ? 1 : 0};
                ASSERT_EQ(ComposeReport(*payments, Figures::Myriad),
                          ComposeScoreReport(selection, a, b, c, kUnitNames))
                    << han << " han, fu index " << fuIndex;
            }
        }
    }
}

TEST(HandPayments, PlainFiguresAndTheUnitsBeyondKyoku) {
    const auto small = ComputePayments(1, 30, Seat::NonDealer);
    ASSERT_TRUE(small);
    EXPECT_EQ(ComposeReport(*small, Figures::Plain),
              "点数＝1000点　親の支払い 500点／子の支払い 300点");
    // 20 fu x 2^189 x 4 is just below 10^59: its first group is named 阿僧祇.
    const auto largest = ComputePayments(187, 20, Seat::NonDealer);
    ASSERT_TRUE(largest);
    const std::string report = ComposeReport(*largest, Figures::Myriad);
    EXPECT_TRUE(report.starts_with("点数＝627阿僧祇")) << report;
    EXPECT_NE(report.find("恒河沙"), std::string::npos);
    EXPECT_EQ(DecimalString(largest->figures[0]).size(), 59u);
    EXPECT_FALSE(ComputePayments(188, 20, Seat::NonDealer)) << "10^59 and more is refused";
    EXPECT_FALSE(ComputePayments(400, 170, Seat::Dealer));
}

TEST(HandPayments, HonbaAndSticksAreAddedAfterRounding) {
    const struct {
        Seat seat;
        bool tsumo;
        int honba, sticks;
        const char* line;
        const char* payers;
        const char* winnerGets;
    } cases[] = {
        {Seat::NonDealer, false, 2, 1,
         "2本場・供託1本込み　放銃者の支払い 1600点　和了者の受け取り 2600点",
         "放銃者の支払い 1600点", "2600"},
        {Seat::NonDealer, true, 1, 0,
         "1本場・供託0本込み　親の支払い 600点／子の支払い 400点　和了者の受け取り 1400点",
         "親の支払い 600点／子の支払い 400点", "1400"},
        {Seat::Dealer, true, 3, 2,
         "3本場・供託2本込み　子の支払い 800点オール　和了者の受け取り 4400点",
         "子の支払い 800点オール", "4400"},
        {Seat::Dealer, false, 0, 1,
         "0本場・供託1本込み　放銃者の支払い 1500点　和了者の受け取り 2500点",
         "放銃者の支払い 1500点", "2500"},
        {Seat::NonDealer, false, 0, 0,
         "0本場・供託0本込み　放銃者の支払い 1000点　和了者の受け取り 1000点",
         "放銃者の支払い 1000点", "1000"},
        {Seat::NonDealer, true, 0, 0,
         "0本場・供託0本込み　親の支払い 500点／子の支払い 300点　和了者の受け取り 1100点",
         "親の支払い 500点／子の支払い 300点", "1100"},
    };
    for (const auto& c : cases) {
        const auto payments = ComputePayments(1, 30, c.seat);  // 1000 (500/300) or 1500 (500 all)
        ASSERT_TRUE(payments);
        const auto settlement = Settle(*payments, c.tsumo, c.honba, c.sticks);
        ASSERT_TRUE(settlement);
        EXPECT_EQ(ComposeSettlementLine(*settlement, *payments, c.tsumo, c.honba, c.sticks,
                                        Figures::Myriad),
                  c.line);
        EXPECT_EQ(ComposePayersLine(*settlement, *payments, c.tsumo, Figures::Myriad), c.payers);
        EXPECT_EQ(DecimalString(settlement->winnerGets), c.winnerGets);
    }
}

// Schoolbook addition of decimal digit strings, independent of the register and of machine words.
std::string AddDecimal(const std::string& a, const std::string& b) {
    std::string sum;
    int carry = 0;
    for (std::size_t i = 0; i < std::max(a.size(), b.size()) || carry != 0; ++i) {
        const auto digit = [i](const std::string& s) {
            return i < s.size() ? s[s.size() - 1 - i] - '0' : 0;
        };
        const int total = digit(a) + digit(b) + carry;
        sum.insert(sum.begin(), static_cast<char>('0' + total % 10));
        carry = total / 10;
    }
    return sum;
}

// Small shares add as machine words and large ones in the register: both give the sums written
// out by hand, on either side of the word's limit.
TEST(HandPayments, SettlementSumsHoldFromSmallHandsToBeyondAWord) {
    const int honba = 7;
    const int sticks = 3;
    for (Seat seat : {Seat::Dealer, Seat::NonDealer}) {
        for (bool tsumo : {false, true}) {
            for (int han = 1; han <= 70; ++han) {
                const auto payments = ComputePayments(han, 30, seat);
                ASSERT_TRUE(payments);
                const auto settlement = Settle(*payments, tsumo, honba, sticks);
                ASSERT_TRUE(settlement);
                const std::string honbaEach = std::to_string(honba * (tsumo ? 100 : 300));
                std::string winnerGets = std::to_string(sticks * 1000);
                const std::span<const Figure> owed =
                    tsumo ? payments->View().subspan(1) : payments->View().first(1);
                ASSERT_EQ(settlement->payerKinds, static_cast<int>(owed.size()));
                for (std::size_t i = 0; i < owed.size(); ++i) {
                    const std::string pays = AddDecimal(DecimalString(owed[i]), honbaEach);
                    EXPECT_EQ(DecimalString(settlement->perPayer[i]), pays) << han;
                    const int payers = !tsumo ? 1 : seat == Seat::Dealer ? 3 : i == 0 ? 1 : 2;
                    for (int p = 0; p < payers; ++p) {
                        winnerGets = AddDecimal(winnerGets, pays);
                    }
                }
                EXPECT_EQ(DecimalString(settlement->winnerGets), winnerGets) << han;
            }
        }
    }
}

}  // namespace
}  // namespace velmarto::hand
