// Reports for selector readings, the no-yaku penalty, and readings the selectors cannot produce.
#include "engine/score_report.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace velmarto {
namespace {

constexpr int kDealer = 1;
constexpr int kNonDealer = 0;

struct ReportCase {
    const char* name;
    ScoreSelection selection;
    const char* report;
};

void PrintTo(const ReportCase& c, std::ostream* os) {
    *os << c.name;
}

class ComposeScoreReportTest : public testing::TestWithParam<ReportCase> {};

TEST_P(ComposeScoreReportTest, MatchesTheExpectedLine) {
    const ReportCase& c = GetParam();
    DigitRegister a{}, b{}, cc{};
    EXPECT_EQ(ComposeScoreReport(c.selection, a, b, cc, kUnitNames), c.report);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ComposeScoreReportTest,
    testing::Values(
        ReportCase{"dealer_1han_30fu", {0, 1, 1, kDealer}, "点数＝1500点　子の支払い 500点オール"},
        ReportCase{"nondealer_1han_30fu",
                   {0, 1, 1, kNonDealer},
                   "点数＝1000点　親の支払い 500点／子の支払い 300点"},
        ReportCase{"nondealer_2han_25fu",
                   {0, 2, 0, kNonDealer},
                   "点数＝1600点　親の支払い 800点／子の支払い 400点"},
        ReportCase{"dealer_2han_25fu", {0, 2, 0, kDealer}, "点数＝2400点　子の支払い 800点オール"},
        ReportCase{"nondealer_4han_30fu_no_cap",
                   {0, 4, 1, kNonDealer},
                   "点数＝7700点　親の支払い 3900点／子の支払い 2000点"},
        ReportCase{
            "dealer_4han_30fu", {0, 4, 1, kDealer}, "点数＝1万1600点　子の支払い 3900点オール"},
        ReportCase{"nondealer_3han_40fu",
                   {0, 3, 2, kNonDealer},
                   "点数＝5200点　親の支払い 2600点／子の支払い 1300点"},
        ReportCase{"nondealer_5han_30fu",
                   {0, 5, 1, kNonDealer},
                   "点数＝1万5400点　親の支払い 7700点／子の支払い 3900点"},
        ReportCase{"nondealer_13han_30fu",
                   {1, 3, 1, kNonDealer},
                   "点数＝393万2200点　親の支払い 196万6100点／子の支払い 98万3100点"},
        ReportCase{
            "dealer_1han_200fu", {0, 1, 18, kDealer}, "点数＝9600点　子の支払い 3200点オール"},
        ReportCase{"no_fu_selection_is_20fu",
                   {0, 1, -1, kNonDealer},
                   "点数＝700点　親の支払い 400点／子の支払い 200点"},
        ReportCase{
            "dealer_check_state_2_is_dealer", {0, 1, 1, 2}, "点数＝1500点　子の支払い 500点オール"},
        ReportCase{"no_yaku_nondealer",
                   {0, 0, 5, kNonDealer},
                   "役無しチョンボ！ 親への支払い 4000点／子への支払い 2000点"},
        ReportCase{
            "no_yaku_dealer", {0, 0, 5, kDealer}, "役無しチョンボ！ 子への支払い オール4000点"},
        ReportCase{"no_tens_selection",
                   {-1, 3, 1, kNonDealer},
                   "役無しチョンボ！ 親への支払い 4000点／子への支払い 2000点"},
        ReportCase{"no_units_selection",
                   {1, -1, 1, kDealer},
                   "役無しチョンボ！ 子への支払い オール4000点"},
        ReportCase{
            "largest_dealer",
            {11, 9, 18, kDealer},
            "点数＝3190澗1471溝8988穣3798杼0949垓6913京6944兆6728億2698万2400点"
            "　子の支払い 1063澗3823溝9662穣7932杼6983垓2304京5648兆2242億7566万0800点オール"},
        ReportCase{"largest_nondealer",
                   {11, 9, 18, kNonDealer},
                   "点数＝2126澗7647溝9325穣5865杼3966垓4609京1296兆4485億5132万1600点"
                   "　親の支払い 1063澗3823溝9662穣7932杼6983垓2304京5648兆2242億7566万0800点"
                   "／子の支払い 531澗6911溝9831穣3966杼3491垓6152京2824兆1121億3783万0400点"}),
    [](const testing::TestParamInfo<ReportCase>& info) { return info.param.name; });

TEST(ComposeScoreReport, ClearsRegistersExceptForNoYaku) {
    DigitRegister a{}, b{}, c{};
    a.fill(7);
    b.fill(7);
    c.fill(7);
    ComposeScoreReport({0, 0, 1, kDealer}, a, b, c, kUnitNames);
    EXPECT_EQ(b[0], 7) << "a no-yaku hand leaves the registers alone";
    EXPECT_EQ(ComposeScoreReport({0, 1, 1, kDealer}, a, b, c, kUnitNames),
              "点数＝1500点　子の支払い 500点オール");
    EXPECT_EQ(b, DigitRegister{}) << "a dealer's report uses no register B, yet it is cleared";
}

TEST(ComposeScoreReport, SameSelectionTwiceGivesTheSameReport) {
    DigitRegister a{}, b{}, c{};
    const ScoreSelection big{11, 9, 18, kNonDealer};
    const std::string first = ComposeScoreReport(big, a, b, c, kUnitNames);
    EXPECT_EQ(ComposeScoreReport(big, a, b, c, kUnitNames), first);
}

TEST(ComposeScoreReport, RejectsReadingsOutsideTheSelectors) {
    const struct {
        ScoreSelection selection;
        const char* message;
    } cases[] = {
        {{12, 0, 1, kDealer}, "han tens index 12 is outside -1-11"},
        {{0, 10, 1, kDealer}, "han units index 10 is outside -1-9"},
        {{0, 1, 19, kDealer}, "fu index 19 is outside -1-18"},
        {{-2, 1, 1, kDealer}, "han tens index -2 is outside -1-11"},
        {{0, -2, 1, kDealer}, "han units index -2 is outside -1-9"},
        {{0, 1, -7, kDealer}, "fu index -7 is outside -1-18"},
        {{-1, 99, 1, kDealer}, "han units index 99 is outside -1-9"},
    };
    for (const auto& c : cases) {
        DigitRegister a{}, b{}, cc{};
        try {
            ComposeScoreReport(c.selection, a, b, cc, kUnitNames);
            ADD_FAILURE() << "accepted " << c.message;
        } catch (const std::out_of_range& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
}

TEST(FuFromIndex, FollowsTheSelectorList) {
    EXPECT_EQ(FuFromIndex(-1), 20);
    EXPECT_EQ(FuFromIndex(0), 25);
    EXPECT_EQ(FuFromIndex(1), 30);
    EXPECT_EQ(FuFromIndex(18), 200);
    EXPECT_EQ(FuIndexOf(20), -1);
    EXPECT_EQ(FuIndexOf(110), 9);
    EXPECT_EQ(FuIndexOf(35), std::nullopt);
    EXPECT_EQ(FuIndexOf(210), std::nullopt);
}

}  // namespace
}  // namespace velmarto
