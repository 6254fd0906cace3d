// Reading the notation and checking a hand as a whole: every mistake is named, in English and
// in Japanese.
#include "engine/hand/hand_input.h"

#include <gtest/gtest.h>

namespace velmarto::hand {
namespace {

using enum MeldKind;

TEST(ParseTiles, ReadsDigitsUpToTheirSuitLetter) {
    const auto tiles = std::get<std::vector<Tile>>(ParseTiles("3m3m7m05p7z"));
    const std::vector<Tile> expected = {{2}, {2}, {6}, {13, true}, {13}, {33}};
    EXPECT_EQ(tiles, expected);
    EXPECT_EQ(TileName(tiles[3]), "0p");
    EXPECT_EQ(TileName(tiles[5]), "7z");
}

TEST(ParseTiles, ReadsNotationAsPeopleTypeIt) {
    const auto plain = std::get<std::vector<Tile>>(ParseTiles("234m067p11z"));
    for (const char* typed : {"２３４ｍ０６７ｐ１１ｚ", "234M067P11Z", "234m 067p 11z",
                              " 234m\u3000０６７Ｐ\t11z ", "２3４m067p11z"}) {
        const auto read = ParseTiles(typed);
        ASSERT_TRUE(std::holds_alternative<std::vector<Tile>>(read))
            << typed << ": " << std::get<NotationError>(read).message;
        EXPECT_EQ(std::get<std::vector<Tile>>(read), plain) << typed;
    }
}

TEST(ParseCount, ReadsDigitsAsTheTileBoxDoesAndRefusesTheRest) {
    const struct {
        const char* text;
        std::optional<int> count;
    } cases[] = {
        {"", 0},
        {"3", 3},
        {"３", 3},
        {" １０ ", 10},
        {"1000000", kMaxHonbaOrSticks},
        {"1000001", {}},
        {"99999999999", {}},
        {"-1", {}},
        {"1 2", {}},
        {"x", {}},
        {"1.5", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseCount(c.text, kMaxHonbaOrSticks), c.count) << c.text;
    }
    EXPECT_EQ(CountOutOfRangeJapanese("本場"), "本場は0〜1000000の整数です");
}

TEST(ParseTiles, NamesTheFaultAsTheUserWroteIt) {
    const struct {
        const char* notation;
        const char* message;
        const char* japanese;
    } cases[] = {
        {"１２３ｘ",
         "unexpected 'ｘ' at position 4 of '１２３ｘ' (tiles are digits and m, p, s or z)",
         "4文字目の「ｘ」が読めません（数字とm・p・s・zで書きます）"},
        {"12あ3m", "unexpected 'あ' at position 3 of '12あ3m' (tiles are digits and m, p, s or z)",
         "3文字目の「あ」が読めません（数字とm・p・s・zで書きます）"},
        {"1m\xff",
         "unexpected a character that is not text at position 3 of '1m\xff' (tiles are "
         "digits and m, p, s or z)",
         "3文字目が読めません（数字とm・p・s・zで書きます）"},
        {"1m\xc1\xb1m",
         "unexpected a character that is not text at position 3 of '1m\xc1\xb1m' "
         "(tiles are digits and m, p, s or z)",
         "3文字目が読めません（数字とm・p・s・zで書きます）"},
        {"\xed\xa0\x80",
         "unexpected a character that is not text at position 1 of '\xed\xa0\x80' "
         "(tiles are digits and m, p, s or z)",
         "1文字目が読めません（数字とm・p・s・zで書きます）"},
        {"123m Ｐ", "'Ｐ' at position 6 has no digits before it",
         "6文字目のＰの前に数字がありません"},
        {"１２ 3m", "'１２' before the space at position 3 has no suit letter (m, p, s or z)",
         "3文字目の空白の前の１２に m・p・s・z がありません"},
        {"123m４５", "'４５' at the end of '123m４５' has no suit letter (m, p, s or z)",
         "最後の４５に m・p・s・z がありません"},
        {"1１８Ｚ", "'８Ｚ' is not a tile (honours are 1z-7z)",
         "８Ｚという牌はありません（字牌は1z〜7z）"},
        {"\u3000 ", "no tiles in '\u3000 '", "牌がありません"},
    };
    for (const auto& c : cases) {
        const auto read = ParseTiles(c.notation);
        ASSERT_TRUE(std::holds_alternative<NotationError>(read)) << c.notation;
        EXPECT_EQ(std::get<NotationError>(read).message, c.message);
        EXPECT_EQ(std::get<NotationError>(read).japanese, c.japanese);
    }
}

TEST(SplitWords, SplitsAtAnySpace) {
    const std::vector<std::string> expected = {"123m", "５５５Ｚ", "406m"};
    EXPECT_EQ(SplitWords(" 123m\u3000５５５Ｚ\t 406m\u3000"), expected);
}

TEST(TilesToGo, CountsWhatAHandBeingEnteredLacks) {
    const struct {
        HandText text;
        int toGo;
    } cases[] = {
        {{.tiles = ""}, 14},
        {{.tiles = "123m"}, 11},
        {{.tiles = "123m", .melds = {{Pon, "5z5z"}}}, 9},
        {{.tiles = "", .melds = {{Kan, "1111m"}, {Ankan, "22p"}}}, 10},
        {{.tiles = "123m456p789s11z55s"}, 1},
        {{.tiles = "123m456p789s11z555s"}, 0},
        {{.tiles = "1234m456p789s11z555s"}, 0},
        {{.tiles = "123x"}, 0},
        {{.tiles = "123m", .melds = {{Pon, "5z5z5z5z"}}}, 0},
        {{.tiles = "5555m5m"}, 0},
        {{.tiles = "55m", .melds = {{Kan, "5555m"}}}, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TilesToGo(c.text), c.toGo) << c.text.tiles;
    }
}

TEST(DoraOf, NextTileWrappingWithinItsGroup) {
    const std::pair<TileIndex, TileIndex> cases[] = {
        {0, 1}, {8, 0}, {17, 9}, {26, 18}, {27, 28}, {30, 27}, {31, 32}, {33, 31},
    };
    for (const auto& [indicator, dora] : cases) {
        EXPECT_EQ(DoraOf(indicator), dora) << indicator;
    }
}

TEST(ReadHand, AcceptsAHandWithCalledSetsAndIndicators) {
    const auto read = ReadHand({.tiles = "234m567p99s",
                                .win = "9s",
                                .melds = {{Pon, "777z"}, {Chi, "3s2s4s"}},
                                .dora = "1m"});
    ASSERT_TRUE(std::holds_alternative<HandInput>(read)) << std::get<NotationError>(read).message;
    const HandInput& hand = std::get<HandInput>(read);
    EXPECT_EQ(hand.win, (Tile{26}));
    EXPECT_FALSE(hand.Closed());
    EXPECT_EQ(hand.melds[1].first(), 19) << "a run is kept from its lowest tile";
}

TEST(ReadHand, NamesWhatIsWrong) {
    const struct {
        HandText text;
        const char* message;
        const char* japanese;
    } cases[] = {
        {{.tiles = "123x"},
         "unexpected 'x' at position 4 of '123x' (tiles are digits and m, p, s or z)",
         "4文字目の「x」が読めません（数字とm・p・s・zで書きます）"},
        {{.tiles = "m123"},
         "'m' at position 1 has no digits before it",
         "1文字目のmの前に数字がありません"},
        {{.tiles = "123m45"},
         "'45' at the end of '123m45' has no suit letter (m, p, s or z)",
         "最後の45に m・p・s・z がありません"},
        {{.tiles = "8z"},
         "'8z' is not a tile (honours are 1z-7z)",
         "8zという牌はありません（字牌は1z〜7z）"},
        {{.tiles = "0z"},
         "'0z' is not a tile (honours are 1z-7z)",
         "0zという牌はありません（字牌は1z〜7z）"},
        {{.tiles = ""}, "no tiles in ''", "牌がありません"},
        // The window and the page take 13 tiles too (the waits), the command line's hand 14.
        {{.tiles = "1234m"},
         "4 tiles: a winning hand has 14, each called set counting 3 (quads too)",
         "13枚か14枚にしてください（いま4枚）"},
        {{.tiles = "123m456p789s111z"},
         "12 tiles: a winning hand has 14, each called set counting 3 (quads too)",
         "13枚か14枚にしてください（いま12枚）"},
        {{.tiles = "123m456p789s111z5s"},
         "13 tiles: a winning hand has 14, each called set counting 3 (quads too)",
         "14枚にしてください（いま13枚）"},
        {{.tiles = "123m456p789s111z5s", .melds = {{Pon, "777z"}}},
         "16 tiles: a winning hand has 14, each called set counting 3 (quads too)",
         "13枚か14枚にしてください（いま16枚）"},
        // A fifth copy is named before the count, and told where it is when not in the hand.
        {{.tiles = "11111m23p"},
         "1m appears 5 times (the hand, called sets and indicators together); there are 4",
         "1mが5枚あります"},
        {{.tiles = "55555m123p456s111z"},
         "5m appears 5 times (the hand, called sets and indicators together); there are 4",
         "5mが5枚あります"},
        {{.tiles = "5555m123p456s11z1p1p", .dora = "4m"}, nullptr, nullptr},
        {{.tiles = "1111m123p456s11z11p", .dora = "1m"},
         "--dora: 1m appears 5 times (the hand, called sets and indicators together); there are 4",
         "ドラ表示牌: 1mは5枚目です（同じ牌は4枚まで）"},
        {{.tiles = "123p456s11z55m",
          .melds = {{Kan, "1111m"}},
          .ura = "1m1m",
          .situation = {{.riichi = true}}},
         "--ura: 1m appears 6 times (the hand, called sets and indicators together); there are 4",
         "裏ドラ表示牌: 1mは5枚目です（同じ牌は4枚まで）"},
        {{.tiles = "1m23p456s11z555m", .melds = {{Kan, "1111m"}}},
         "--kan 1111m: 1m appears 5 times (the hand, called sets and indicators together); "
         "there are 4",
         "明槓 1111m: 1mは5枚目です（同じ牌は4枚まで）"},
        {{.tiles = "05m123p456s111z", .melds = {{Chi, "406m"}}},
         "--chi 406m: more than one red five 0m; there is one of each suit",
         "チー 406m: 赤五の0mは2枚目です（各色1枚まで）"},
        {{.tiles = "123p456s11z55m", .melds = {{Chi, "124m"}}},
         "--chi 124m is not a run of three tiles of one suit",
         "チー 124m は同じ色の3枚の順子ではありません"},
        {{.tiles = "123p456s11z55m", .melds = {{Pon, "1z2z3z"}}},
         "--pon 1z2z3z is not 3 copies of one tile",
         "ポン 1z2z3z は3枚の同じ牌ではありません"},
        {{.tiles = "123p456s11z55m", .melds = {{Chi, "7z8z9z"}}},
         "--chi 7z8z9z: '8z' is not a tile (honours are 1z-7z)",
         "チー: 8zという牌はありません（字牌は1z〜7z）"},
        {{.tiles = "123m456p789s11z555s", .win = "6s"},
         "--win 6s is not among the hand's tiles",
         "和了牌6sが手牌にありません"},
        {{.tiles = "234m567p99s888s", .melds = {{Pon, "777z"}}, .situation = {{.riichi = true}}},
         "riichi needs a closed hand (no --chi, --pon or --kan)",
         "副露した手で立直はできません"},
        {{.tiles = "123m456p789s11z555s", .situation = {{.ippatsu = true}}},
         "--ippatsu needs --riichi or --double-riichi",
         "一発は立直のときだけです"},
        {{.tiles = "123m456p789s11z555s", .situation = {{.rinshan = true}, {.tsumo = true}}},
         "--rinshan needs --tsumo and a quad",
         "嶺上開花はツモと槓が必要です"},
        {{.tiles = "123m456p789s11z555s",
          .situation = {{.tenhou = true}, {.tsumo = true, .seatWind = 2}}},
         "--tenhou needs --tsumo, the East seat and no called sets",
         "天和は親のツモで副露なしのときだけです"},
        {{.tiles = "123m456p789s11z555s", .ura = "1m"},
         "--ura needs --riichi or --double-riichi",
         "裏ドラ表示牌: 立直のときだけです"},
    };
    for (const auto& c : cases) {
        const auto read = ReadHand(c.text);
        if (c.message == nullptr) {
            EXPECT_TRUE(std::holds_alternative<HandInput>(read)) << c.text.tiles << " is a hand";
            continue;
        }
        ASSERT_TRUE(std::holds_alternative<NotationError>(read)) << c.text.tiles;
        EXPECT_EQ(std::get<NotationError>(read).message, c.message);
        EXPECT_EQ(std::get<NotationError>(read).japanese, c.japanese);
    }
}

}  // namespace
}  // namespace velmarto::hand
