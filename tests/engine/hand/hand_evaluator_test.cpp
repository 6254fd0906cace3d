// Hands whose yaku, han and fu are well established, checked whole: yaku, totals and the report.
#include "engine/hand/hand_evaluator.h"

#include <gtest/gtest.h>

#include <string>

namespace velmarto::hand {
namespace {

struct HandCase {
    const char* name;
    HandText text;
    const char* yaku;  // "name han" in table order, dora last
    int han;
    int fu;
    const char* report;
};

std::string YakuOf(const HandResult& result) {
    std::string text;
    const auto add = [&](std::string_view name, int han) {
        text += (text.empty() ? "" : ", ") + std::string(name) + " " + std::to_string(han);
    };
    for (const ScoredYaku& yaku : result.yaku.View()) {
        add(yaku.name, yaku.han);
    }
    for (const auto& [name, han] : {std::pair<std::string_view, int>{"ドラ", result.dora.dora},
                                    {"赤ドラ", result.dora.aka},
                                    {"裏ドラ", result.dora.ura}}) {
        if (han > 0) {
            add(name, han);
        }
    }
    return text;
}

constexpr Situation kRon{};
constexpr Situation kRonSouth{{}, {.seatWind = 1}};
constexpr Situation kTsumoSouth{{}, {.tsumo = true, .seatWind = 1}};

using enum MeldKind;

const HandCase kHands[] = {
    {"riichi pinfu tsumo with dora",
     {.tiles = "234567m234p6799s8s",
      .dora = "1m",
      .situation = {{.riichi = true}, {.tsumo = true, .seatWind = 1}}},
     "立直 1, 門前清自摸和 1, 平和 1, ドラ 1",
     4,
     20,
     "点数＝5200点　親の支払い 2600点／子の支払い 1300点"},
    {"open tanyao, ron completes an open triplet",
     {.tiles = "567p345s66s888p", .melds = {{Chi, "234m"}}, .situation = kRonSouth},
     "断幺九 1",
     1,
     30,
     "点数＝1000点　親の支払い 500点／子の支払い 300点"},
    {"open tanyao refused: a win without yaku",
     {.tiles = "567p345s66s888p",
      .melds = {{Chi, "234m"}},
      .situation = kRonSouth,
      .rules = {.openTanyao = false}},
     "",
     0,
     30,
     "役無しチョンボ！ 親への支払い 4000点／子への支払い 2000点"},
    {"no yaku at all",
     {.tiles = "123m456p789s23455s"},
     "",
     0,
     40,
     "役無しチョンボ！ 子への支払い オール4000点"},
    {"seven pairs",
     {.tiles = "1122m3344p5566s77z"},
     "七対子 2",
     2,
     25,
     "点数＝2400点　子の支払い 800点オール"},
    {"pinfu and iipeikou on a two-sided wait",
     {.tiles = "112233m55p456p78s9s"},
     "平和 1, 一盃口 1",
     2,
     30,
     "点数＝2900点　子の支払い 1000点オール"},
    {"double east and chun, open",
     {.tiles = "234m567p99s", .melds = {{Pon, "777z"}, {Pon, "111z"}}},
     "場風 1, 自風 1, 中 1",
     3,
     30,
     "点数＝5800点　子の支払い 2000点オール"},
    {"toitoi and three concealed triplets, seat wind pair",
     {.tiles = "111m999p555s22z", .melds = {{Pon, "888p"}}, .situation = kRonSouth},
     "対々和 2, 三暗刻 2",
     4,
     50,
     "点数＝1万2800点　親の支払い 6400点／子の支払い 3200点"},
    {"ittsu closed",
     {.tiles = "123456789m234s11p"},
     "一気通貫 2",
     2,
     40,
     "点数＝3900点　子の支払い 1300点オール"},
    {"chanta with double east",
     {.tiles = "123m789p789s111z99m"},
     "場風 1, 自風 1, 混全帯幺九 2",
     4,
     40,
     "点数＝1万5400点　子の支払い 5200点オール"},
    {"junchan and sanshoku",
     {.tiles = "123m123p123s999m11s", .situation = kRonSouth},
     "三色同順 2, 純全帯幺九 3",
     5,
     40,
     "点数＝2万0500点　親の支払い 1万0300点／子の支払い 5200点"},
    {"ryanpeikou pinfu chinitsu beats seven pairs",
     {.tiles = "11223344556677m", .situation = kRonSouth},
     "平和 1, 二盃口 3, 清一色 6",
     10,
     30,
     "点数＝49万1600点　親の支払い 24万5800点／子の支払い 12万2900点"},
    {"open honitsu with ittsu and haku, double wind pair",
     {.tiles = "123m456m789m11z", .melds = {{Pon, "555z"}}},
     "白 1, 一気通貫 1, 混一色 2",
     4,
     30,
     "点数＝1万1600点　子の支払い 3900点オール"},
    {"shousangen",
     {.tiles = "555z666z77z123m456p", .situation = kRonSouth},
     "白 1, 發 1, 小三元 2",
     4,
     50,
     "点数＝1万2800点　親の支払い 6400点／子の支払い 3200点"},
    {"three quads and triple triplets",
     {.tiles = "345m77z",
      .melds = {{Kan, "2222m"}, {Kan, "2222p"}, {Ankan, "2222s"}},
      .situation = kRonSouth},
     "三色同刻 2, 三槓子 2",
     4,
     60,
     "点数＝1万5400点　親の支払い 7700点／子の支払い 3900点"},
    {"double wind pair is 4 fu",
     {.tiles = "123m456p789s234s11z", .situation = {{.riichi = true}}},
     "立直 1",
     1,
     40,
     "点数＝2000点　子の支払い 700点オール"},
    {"riichi ippatsu haitei with red five and ura",
     {.tiles = "234067m234p6799s8s",
      .dora = "1m",
      .ura = "3p",
      .situation = {{.riichi = true, .ippatsu = true, .haitei = true},
                    {.tsumo = true, .seatWind = 2}}},
     "立直 1, 一発 1, 門前清自摸和 1, 平和 1, 海底摸月 1, ドラ 1, 赤ドラ 1, 裏ドラ 1",
     8,
     20,
     "点数＝8万2000点　親の支払い 4万1000点／子の支払い 2万0500点"},
    {"the last discard",
     {.tiles = "234567m234p6799s8s", .situation = {{.houtei = true}, {.seatWind = 1}}},
     "平和 1, 河底撈魚 1",
     2,
     30,
     "点数＝2000点　親の支払い 1000点／子の支払い 500点"},
    {"all terminals and honours, all triplets",
     {.tiles = "111m999p111s99s222z", .situation = kRonSouth},
     "自風 1, 対々和 2, 三暗刻 2, 混老頭 2",
     7,
     60,
     "点数＝12万2900点　親の支払い 6万1500点／子の支払い 3万0800点"},
    {"little four winds with double east",
     {.tiles = "111z222z333z44z789m"},
     "場風 1, 自風 1, 三暗刻 2, 混全帯幺九 2, 混一色 3, 小四喜 13",
     22,
     60,
     nullptr},
    {"robbing a quad",
     {.tiles = "234567m234p6799s8s", .situation = {{.chankan = true}, {.seatWind = 3}}},
     "平和 1, 槍槓 1",
     2,
     30,
     "点数＝2000点　親の支払い 1000点／子の支払い 500点"},
    {"thirteen orphans, single wait",
     {.tiles = "119m19p19s1234567z"},
     "国士無双 13",
     13,
     40,
     "点数＝786万4400点　子の支払い 262万1500点オール"},
    {"thirteen orphans, thirteen-sided wait",
     {.tiles = "19m19p19s1234567z1m"},
     "国士無双十三面 26",
     26,
     40,
     "点数＝644億2450万9500点　子の支払い 214億7483万6500点オール"},
    {"four concealed triplets by tsumo",
     {.tiles = "111m333p555s99s777z", .situation = kTsumoSouth},
     "門前清自摸和 1, 中 1, 四暗刻 13",
     15,
     50,
     "点数＝2621万4400点　親の支払い 1310万7200点／子の支払い 655万3600点"},
    {"the same by ron: the last triplet is open",
     {.tiles = "111m333p555s99s777z", .situation = kRonSouth},
     "中 1, 対々和 2, 三暗刻 2",
     5,
     50,
     "点数＝2万5600点　親の支払い 1万2800点／子の支払い 6400点"},
    {"four concealed triplets, single wait",
     {.tiles = "111m333p555s777z9s9s"},
     "中 1, 四暗刻単騎 26",
     27,
     60,
     nullptr},
    {"big four winds, all honours, single wait",
     {.tiles = "111z222z333z444z55z"},
     "四暗刻単騎 26, 字一色 13, 大四喜 26",
     65,
     70,
     nullptr},
    {"all honours in sets: only triplets, so no 対々和 beside it",
     {.tiles = "111z222z555z66z777z", .situation = kRonSouth},
     "場風 1, 自風 1, 白 1, 中 1, 三暗刻 2, 小三元 2, 字一色 13",
     21,
     60,
     nullptr},
    {"all honours in seven pairs keeps 七対子",
     {.tiles = "11223344556677z"},
     "七対子 2, 字一色 13",
     15,
     25,
     nullptr},
    {"the same with doubles counted once",
     {.tiles = "111z222z333z444z55z", .rules = {.doubleYakuman = false}},
     "四暗刻単騎 13, 字一色 13, 大四喜 13",
     39,
     70,
     nullptr},
    {"all green with iipeikou and hatsu",
     {.tiles = "22334466888s666z"},
     "一盃口 1, 發 1, 緑一色 13",
     15,
     40,
     "点数＝3145万7300点　子の支払い 1048万5800点オール"},
    {"nine gates, not pure",
     {.tiles = "1111234678999m5m"},
     "一気通貫 2, 九蓮宝燈 13",
     15,
     40,
     "点数＝3145万7300点　子の支払い 1048万5800点オール"},
    {"pure nine gates by tsumo",
     {.tiles = "11123456789999m", .situation = {{}, {.tsumo = true}}},
     "門前清自摸和 1, 一気通貫 2, 純正九蓮宝燈 26",
     29,
     30,
     nullptr},
    {"all terminals, open",
     {.tiles = "999m111p999p11s", .melds = {{Pon, "111m"}}, .situation = kRonSouth},
     "三暗刻 2, 清老頭 13",
     15,
     50,
     "点数＝2621万4400点　親の支払い 1310万7200点／子の支払い 655万3600点"},
    {"four quads after a replacement draw",
     {.tiles = "55m",
      .melds = {{Kan, "2222m"}, {Ankan, "3333p"}, {Kan, "4444s"}, {Ankan, "6666s"}},
      .situation = {{.rinshan = true}, {.tsumo = true, .seatWind = 1}}},
     "断幺九 1, 嶺上開花 1, 四槓子 13",
     15,
     80,
     "点数＝4194万3100点　親の支払い 2097万1600点／子の支払い 1048万5800点"},
    {"heavenly hand with double east",
     {.tiles = "123m456p789s11122z", .situation = {{.tenhou = true}, {.tsumo = true}}},
     "場風 1, 自風 1, 天和 13",
     15,
     40,
     "点数＝3145万7300点　子の支払い 1048万5800点オール"},
    {"earthly hand with pinfu",
     {.tiles = "234567m234p6799s8s",
      .situation = {{.chiihou = true}, {.tsumo = true, .seatWind = 1}}},
     "平和 1, 地和 13",
     14,
     20,
     "点数＝524万2900点　親の支払い 262万1500点／子の支払い 131万0800点"},
    {"big three dragons stacked with three more yakuman and dora",
     {.tiles = "11z",
      .melds = {{Ankan, "5555z"}, {Ankan, "6666z"}, {Ankan, "7777z"}, {Ankan, "2222z"}},
      .dora = "1z1z4z4z4z",
      .ura = "4z",
      .situation = {{.doubleRiichi = true, .ippatsu = true, .rinshan = true},
                    {.tsumo = true, .seatWind = 1}}},
     "ダブル立直 2, 一発 1, 門前清自摸和 1, 自風 1, 嶺上開花 1, 四暗刻単騎 26, 大三元 13, 字一色 "
     "13, 四槓子 13, ドラ 14, 裏ドラ 2",
     87,
     160,
     "点数＝39穣6140杼8125垓7132京1687兆9677億1975万1700点　親の支払い "
     "19穣8070杼4062垓8566京0843兆9838億5987万5900点"
     "／子の支払い 9穣9035杼2031垓4283京0421兆9919億2993万8000点"},
};

TEST(HandEvaluator, EstablishedHandsScoreWhole) {
    for (const HandCase& c : kHands) {
        auto input = ReadHand(c.text);
        ASSERT_TRUE(std::holds_alternative<HandInput>(input))
            << c.name << ": " << std::get<NotationError>(input).message;
        auto scored = ScoreHand(std::get<HandInput>(input), Figures::Myriad);
        ASSERT_TRUE(std::holds_alternative<HandScore>(scored)) << c.name;
        const HandScore& score = std::get<HandScore>(scored);
        EXPECT_EQ(YakuOf(score.result), c.yaku) << c.name;
        EXPECT_EQ(score.result.han, c.han) << c.name;
        if (c.han > 0) {
            EXPECT_EQ(score.result.fu.total, c.fu) << c.name;
        }
        if (c.report != nullptr) {
            EXPECT_EQ(score.report, c.report) << c.name;
        }
    }
}

std::string FuItems(const HandText& text) {
    const HandInput input = std::get<HandInput>(ReadHand(text));
    const HandResult result = std::get<HandResult>(EvaluateHand(input));
    std::string items;
    for (const FuItem& item : result.fu.View()) {
        items += std::string(item.name) + " " + std::to_string(item.fu) + ";";
    }
    return items + " = " + std::to_string(result.fu.total);
}

TEST(HandEvaluator, FuItemsAreListedAsCounted) {
    const std::pair<HandText, const char*> cases[] = {
        {{.tiles = "111m999p555s22z", .melds = {{Pon, "888p"}}, .situation = kRonSouth},
         "副底 20;明刻（中張牌） 2;暗刻（幺九牌） 8;暗刻（幺九牌） 8;暗刻（中張牌） 4;役牌の雀頭 "
         "2;単騎待ち 2; = 50"},
        {{.tiles = "234567m234p6799s8s", .situation = {{.riichi = true}, {.tsumo = true}}},
         "副底 20; = 20"},
        {{.tiles = "234567m234p6799s8s", .situation = {{.riichi = true}}},
         "副底 20;門前ロン 10; = 30"},
        {{.tiles = "567p345s66s888p", .melds = {{Chi, "234m"}}, .situation = kRonSouth},
         "副底 20;明刻（中張牌） 2; = 30"},
        {{.tiles = "234p345s66s678p", .melds = {{Chi, "234m"}}, .situation = kRonSouth},
         "副底 20;喰い平和形 10; = 30"},
        {{.tiles = "345m77z",
          .melds = {{Kan, "2222m"}, {Kan, "2222p"}, {Ankan, "2222s"}},
          .situation = kRonSouth},
         "副底 20;明槓（中張牌） 8;明槓（中張牌） 8;暗槓（中張牌） 16;役牌の雀頭 2;単騎待ち 2; = "
         "60"},
        {{.tiles = "123m456p789s234s11z", .situation = {{.riichi = true}, {.tsumo = true}}},
         "副底 20;ツモ 2;連風牌の雀頭 4;単騎待ち 2; = 30"},
        {{.tiles = "1122m3344p5566s77z"}, "七対子 25; = 25"},
        {{.tiles = "123m456p789s24s11z3s", .situation = {{.riichi = true}}},
         "副底 20;門前ロン 10;連風牌の雀頭 4;嵌張待ち 2; = 40"},
        {{.tiles = "123m456p789s12s11z3s", .situation = {{.riichi = true}}},
         "副底 20;門前ロン 10;連風牌の雀頭 4;辺張待ち 2; = 40"},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(FuItems(text), expected) << text.tiles;
    }
}

TEST(HandEvaluator, TilesThatFormNoWinningHandAreRejected) {
    const HandInput input = std::get<HandInput>(ReadHand({.tiles = "123m456p789s12s355z"}));
    const auto result = EvaluateHand(input);
    ASSERT_TRUE(std::holds_alternative<NotationError>(result));
    EXPECT_EQ(std::get<NotationError>(result).japanese, "和了の形になっていません");
}

}  // namespace
}  // namespace velmarto::hand
