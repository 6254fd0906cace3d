// velmarto-score waits run as a user runs it: text, JSON whose hands are hand's own, batches and
// errors.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli/score_cli.h"
#include "engine/cp932.h"
#include "tests/cli/tool_run.h"

namespace {

using velmarto::test::InputFile;
using velmarto::test::RunTool;
using velmarto::test::ToolRun;
using Json = nlohmann::json;

constexpr const char* kSouthTanki =
    "5s 残り3枚　ロン 1飜 40符（断幺九） 点数＝1300点　親の支払い 700点／子の支払い 400点";
constexpr const char* kSouthTankiTsumo =
    "ツモ 2飜 30符（門前清自摸和、断幺九） 点数＝2000点　親の支払い 1000点／子の支払い 500点";

TEST(VelmartoScoreWaits, PrintsOneLinePerWaitOrDiscard) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"waits", "234567m234p678s5s", "--seat", "S"},
         std::string("聴牌 待ち 2種6枚: 5s×3 8s×3\n") + kSouthTanki + "　" + kSouthTankiTsumo +
             "\n8s" + std::string(kSouthTanki).substr(2) + "　" + kSouthTankiTsumo + "\n"},
        {{"waits", "234567m234p678s5s", "--seat", "S", "--discards", "19m8s"},
         std::string("聴牌（フリテン） 待ち 2種6枚: 5s×3 8s×3\n") +
             "5s 残り3枚　ロン フリテンのため不可　" + kSouthTankiTsumo + "\n" +
             "8s 残り3枚　ロン フリテンのため不可　" + kSouthTankiTsumo + "\n"},
        {{"waits", "234567m23p6789s1z", "--seat", "S"},
         "1向聴　有効牌 5種17枚: 1p×4 4p×4 6s×3 9s×3 1z×3\n"},
        {{"waits", "234567m23p6789s1z", "--seat", "S", "--encoding", "cp932"},
         velmarto::ToCp932("1向聴　有効牌 5種17枚: 1p×4 4p×4 6s×3 9s×3 1z×3\n")},
    };
    for (const auto& [args, out] : cases) {
        const ToolRun run = RunTool(args);
        EXPECT_EQ(run.exitCode, 0) << args[1];
        EXPECT_EQ(run.out, out) << args[1];
        EXPECT_EQ(run.err, "");
    }
}

TEST(VelmartoScoreWaits, WhatToCutPutsTheTenpaiDiscardsFirst) {
    const ToolRun run = RunTool({"waits", "234567m234p6789s1z", "--seat", "S"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(
        run.out.starts_with("打1z　聴牌 待ち 2種6枚: 6s×3 9s×3\n"
                            "　　6s 残り3枚　ロン 役なし 役無しチョンボ！"))
        << run.out;
    EXPECT_NE(run.out.find("打2m　1向聴　有効牌 6種20枚: 2m×4 5m×3 8m×4 6s×3 9s×3 1z×3\n"),
              std::string::npos)
        << run.out;
}

// Every wait's HAND objects are what `hand --json` prints once the tile is added, at four players
// and at three, where a tsumo adds the three-player shares.
TEST(VelmartoScoreWaits, JsonHandsAreHandsOwn) {
    struct Case {
        std::string tiles;
        std::vector<std::string> options;
    };
    const Case cases[] = {
        {"123p456p789s23m11z", {"--riichi", "--dora", "3m", "--seat", "W", "--honba", "2"}},
        {"123p456p789s99m11z",
         {"--players", "3", "--kita", "1", "--sanma-tsumo", "split", "--seat", "S", "--plain"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"waits", c.tiles, "--json"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const ToolRun run = RunTool(args);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const Json analysis = Json::parse(run.out);
        EXPECT_EQ(analysis["shanten"], 0);
        EXPECT_EQ(analysis["furiten"], false);
        EXPECT_FALSE(analysis.contains("useful"));
        ASSERT_EQ(analysis["waits"].size(), 2U);
        for (const Json& wait : analysis["waits"]) {
            const std::string tile = wait["tile"];
            for (const std::string way : {"ron", "tsumo"}) {
                std::vector<std::string> hand = {"hand", c.tiles + tile, "--json"};
                hand.insert(hand.end(), c.options.begin(), c.options.end());
                if (way == "tsumo") {
                    hand.push_back("--tsumo");
                }
                EXPECT_EQ(wait[way], Json::parse(RunTool(hand).out)) << tile << " " << way;
            }
        }
    }
    const ToolRun furiten = RunTool({"waits", "123p456p789s23m11z", "--json", "--discards", "4m"});
    const Json blocked = Json::parse(furiten.out);
    EXPECT_EQ(blocked["furiten"], true);
    EXPECT_FALSE(blocked["waits"][0].contains("ron"));
    EXPECT_TRUE(blocked["waits"][0].contains("tsumo"));
}

TEST(VelmartoScoreWaits, JsonOfFourteenTilesListsTheDiscardsAndAWin) {
    const ToolRun run = RunTool({"waits", "123m456p789s11z234m", "--json", "--riichi"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const Json analysis = Json::parse(run.out);
    EXPECT_EQ(analysis["shanten"], -1);
    EXPECT_FALSE(analysis.contains("furiten"));
    EXPECT_EQ(analysis["win"]["tile"], "4m");
    EXPECT_EQ(analysis["win"]["ron"],
              Json::parse(RunTool({"hand", "123m456p789s11z234m", "--json", "--riichi"}).out));
    ASSERT_FALSE(analysis["discards"].empty());
    for (const Json& discard : analysis["discards"]) {
        EXPECT_EQ(discard.contains("waits"), discard["shanten"] == 0) << discard["tile"];
        EXPECT_TRUE(discard.contains("useful"));
    }
}

TEST(VelmartoScoreWaits, BatchGoesOnPastBadLinesAndSaysSoInItsStatus) {
    const InputFile input(
        "234567m23p6789s1z --seat S\n"
        "123m\n"
        "234567m234p678s5s --seat S --json\n");
    const ToolRun run = RunTool({"waits", "--batch"}, nullptr, input.Path());
    EXPECT_EQ(run.exitCode, velmarto::cli::kExitUsage);
    EXPECT_EQ(run.err, "");
    const std::string lines[] = {
        "1向聴　有効牌 5種17枚: 1p×4 4p×4 6s×3 9s×3 1z×3",
        "error\tline 2: 3 tiles: a hand before its win has 13 (its waits) or 14 (what to cut), "
        "each called set counting 3 (quads too)",
        "{\"shanten\":0,\"waits\":[{\"tile\":\"5s\",\"left\":3,\"ron\":{"};
    std::size_t at = 0;
    for (const std::string& line : lines) {
        EXPECT_EQ(run.out.compare(at, line.size(), line), 0) << run.out.substr(at);
        at = run.out.find('\n', at) + 1;
    }
    EXPECT_EQ(at, run.out.size());
    const InputFile tenpai("234567m234p678s5s --seat S\n");
    const ToolRun text = RunTool({"waits", "--batch"}, nullptr, tenpai.Path());
    EXPECT_EQ(text.exitCode, 0);
    EXPECT_EQ(text.out, std::string("聴牌 待ち 2種6枚: 5s×3 8s×3\t") + kSouthTanki + "　" +
                            kSouthTankiTsumo + "\t8s" + std::string(kSouthTanki).substr(2) + "　" +
                            kSouthTankiTsumo + "\n");
}

TEST(VelmartoScoreWaits, RejectsBadHandsWithoutOutput) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"waits"}, "TILES is required"},
        {{"waits", "123m456p789s11z"},
         "11 tiles: a hand before its win has 13 (its waits) or 14 (what to cut), each called set "
         "counting 3 (quads too)"},
        {{"waits", "123m456p789s11z55x"},
         "unexpected 'x' at position 18 of '123m456p789s11z55x' (tiles are digits and m, p, s or "
         "z)"},
        {{"waits", "123p456p789s23m11z", "--tsumo"},
         "The following argument was not expected: --tsumo"},
        {{"waits", "123p456p789s23m11z", "--discards", "1z1z1z"},
         "--discards: 1z appears 5 times (the hand, called sets, indicators and discards "
         "together); there are "
         "4"},
        {{"waits", "123p456p789s23m11z", "--discards", "1q"},
         "--discards: unexpected 'q' at position 2 of '1q' (tiles are digits and m, p, s or z)"},
        {{"waits", "123p456p789s23m11z", "--rinshan"}, "--rinshan needs --tsumo and a quad"},
        {{"waits", "--batch", "123p456p789s23m11z"},
         "with --batch the hands come from standard input, not '123p456p789s23m11z'"},
    };
    for (const auto& [args, message] : cases) {
        const ToolRun run = RunTool(args);
        EXPECT_EQ(run.exitCode, velmarto::cli::kExitUsage) << message;
        EXPECT_EQ(run.out, "") << message;
        EXPECT_EQ(run.err, "velmarto-score: waits: " + message + "\n");
    }
}

TEST(VelmartoScoreWaits, HelpShowsExamples) {
    const ToolRun run = RunTool({"waits", "--help"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.starts_with("List a hand's waits")) << run.out;
    EXPECT_NE(run.out.find("--discards"), std::string::npos);
    EXPECT_NE(run.out.find("velmarto-score waits 1112345678999m"), std::string::npos);
    EXPECT_EQ(run.out.find("--tsumo "), std::string::npos);
}

}  // namespace
