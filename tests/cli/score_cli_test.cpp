// velmarto-score run as a user runs it: the built program, its exit code, stdout and stderr.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/score_cli.h"
#include "engine/cp932.h"
#include "tests/cli/tool_run.h"

namespace {

using velmarto::test::InputFile;
using velmarto::test::RunTool;
using velmarto::test::ToolRun;

struct Invocation {
    std::vector<std::string> args;
    std::string out;
};

TEST(VelmartoScore, PrintsTheReportLine) {
    const Invocation cases[] = {
        {{"1", "30"}, "点数＝1500点　子の支払い 500点オール\n"},
        {{"--dealer", "1", "30"}, "点数＝1500点　子の支払い 500点オール\n"},
        {{"--non-dealer", "13", "30"},
         "点数＝393万2200点　親の支払い 196万6100点／子の支払い 98万3100点\n"},
        {{"1", "--non-dealer", "20"}, "点数＝700点　親の支払い 400点／子の支払い 200点\n"},
        {{"2", "25"}, "点数＝2400点　子の支払い 800点オール\n"},
        {{"0", "50"}, "役無しチョンボ！ 子への支払い オール4000点\n"},
        {{"--non-dealer", "0", "50"},
         "役無しチョンボ！ 親への支払い 4000点／子への支払い 2000点\n"},
        {{"119", "200"},
         "点数＝3190澗1471溝8988穣3798杼0949垓6913京6944兆6728億2698万2400点"
         "　子の支払い 1063澗3823溝9662穣7932杼6983垓2304京5648兆2242億7566万0800点オール\n"},
        {{"--encoding=cp932", "1", "30"},
         velmarto::ToCp932("点数＝1500点　子の支払い 500点オール\n")},
        {{"--version"}, "velmarto-score 0.1.0.1\n"},
    };
    for (const Invocation& c : cases) {
        const ToolRun run = RunTool(c.args);
        EXPECT_EQ(run.exitCode, 0) << c.args[0];
        EXPECT_EQ(run.out, c.out) << c.args[0];
        EXPECT_EQ(run.err, "") << c.args[0];
    }
}

TEST(VelmartoScore, PrintsTablesInEveryFormat) {
    const Invocation cases[] = {
        {{"--table", "--han", "1-1"},
         "飜\t符\t点数\t子の支払い（オール）\n"
         "1\t20\t1000点\t400点\n"
         "1\t25\t1200点\t400点\n"
         "1\t30\t1500点\t500点\n"},
        {{"--table", "--non-dealer", "--han=119-119", "--format", "csv", "--plain"},
         "飜,符,点数,親の支払い,子の支払い\n"
         "119,20,212676479325586539664609129644855132200,106338239662793269832304564822427566100,"
         "53169119831396634916152282411213783100\n"},
        {{"--table", "--han", "4-4", "--format", "markdown", "--non-dealer"},
         "| 飜 | 符 | 点数 | 親の支払い | 子の支払い |\n|---:|---:|---:|---:|---:|\n"
         "| 4 | 20 | 5200点 | 2600点 | 1300点 |\n"},
    };
    for (const Invocation& c : cases) {
        const ToolRun run = RunTool(c.args);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_TRUE(run.out.starts_with(c.out)) << run.out.substr(0, 400);
        EXPECT_EQ(run.err, "");
    }
}

TEST(VelmartoScore, FullTableHasOneRowPerHanAndFu) {
    const ToolRun run = RunTool({"--table", "--non-dealer"});
    ASSERT_EQ(run.exitCode, 0);
    const std::string lastRow =
        "119\t200\t2126澗7647溝9325穣5865杼3966垓4609京1296兆4485億5132万1600点\t"
        "1063澗3823溝9662穣7932杼6983垓2304京5648兆2242億7566万0800点\t"
        "531澗6911溝9831穣3966杼3491垓6152京2824兆1121億3783万0400点\n";
    EXPECT_TRUE(run.out.ends_with(lastRow));
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1 + 119 * 20);
}

TEST(VelmartoScore, RejectsBadCommandLinesWithoutOutput) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{}, "missing HAN and FU (usage: velmarto-score [--dealer | --non-dealer] HAN FU)"},
        {{"3"}, "missing FU (usage: velmarto-score [--dealer | --non-dealer] HAN FU)"},
        {{"3", "30", "1"}, "unexpected argument '1' (see velmarto-score --help)"},
        {{"120", "30"}, "HAN must be a whole number from 0 to 119, not '120'"},
        {{"-1", "30"}, "HAN must be a whole number from 0 to 119, not '-1'"},
        {{"+3", "30"}, "HAN must be a whole number from 0 to 119, not '+3'"},
        {{"３", "30"}, "HAN must be a whole number from 0 to 119, not '３'"},
        {{"99999999999999999999", "30"},
         "HAN must be a whole number from 0 to 119, not '99999999999999999999'"},
        {{"3", "35"}, "FU must be 20, 25, or a multiple of 10 from 30 to 200, not '35'"},
        {{"3", "210"}, "FU must be 20, 25, or a multiple of 10 from 30 to 200, not '210'"},
        {{"3", "30fu"}, "FU must be 20, 25, or a multiple of 10 from 30 to 200, not '30fu'"},
        {{"3", ""}, "FU must be 20, 25, or a multiple of 10 from 30 to 200, not ''"},
        {{"--bogus"}, "unknown option '--bogus' (see velmarto-score --help)"},
        {{"--dealer", "--non-dealer", "1", "30"}, "choose one of --dealer and --non-dealer"},
        {{"--dealer=yes", "1", "30"}, "--dealer takes no value (see velmarto-score --help)"},
        {{"--plain", "1", "30"}, "--plain only applies with --table"},
        {{"--han", "1-3", "1", "30"}, "--han only applies with --table"},
        {{"--table", "3"}, "unexpected argument '3' with --table"},
        {{"--table", "--han"}, "--han needs a value (see velmarto-score --help)"},
        {{"--table", "--han", "0-3"},
         "--han must be FROM-TO with 1 <= FROM <= TO <= 119, not '0-3'"},
        {{"--table", "--han", "5-3"},
         "--han must be FROM-TO with 1 <= FROM <= TO <= 119, not '5-3'"},
        {{"--table", "--han", "5"}, "--han must be FROM-TO with 1 <= FROM <= TO <= 119, not '5'"},
        {{"--table", "--han", "1-120"},
         "--han must be FROM-TO with 1 <= FROM <= TO <= 119, not '1-120'"},
        {{"--table", "--format", "xml"}, "--format must be tsv, csv or markdown, not 'xml'"},
        {{"--encoding", "latin1", "1", "30"}, "--encoding must be utf-8 or cp932, not 'latin1'"},
    };
    for (const auto& [args, message] : cases) {
        const ToolRun run = RunTool(args);
        EXPECT_EQ(run.exitCode, velmarto::cli::kExitUsage) << message;
        EXPECT_EQ(run.out, "") << message;
        EXPECT_EQ(run.err, "velmarto-score: " + message + "\n");
    }
}

TEST(VelmartoScore, FailsWhenTheOutputIsLost) {
    // A line fails at the final flush, a whole table already inside fwrite.
    const std::vector<std::string> cases[] = {
        {"1", "30"}, {"--table"}, {"--help"}, {"hand", "234567m234p6799s8s", "--riichi"}};
    for (const std::vector<std::string>& args : cases) {
        const ToolRun run = RunTool(args, "/dev/full");
        EXPECT_EQ(run.exitCode, 1) << args[0];
        EXPECT_EQ(run.err, "velmarto-score: cannot write the output\n") << args[0];
    }
}

TEST(VelmartoScoreHand, PrintsYakuFuAndTheReport) {
    const Invocation cases[] = {
        {{"hand", "234567m234p6799s8s", "--tsumo", "--riichi", "--dora", "1m", "--seat", "S"},
         "立直 1飜\n門前清自摸和 1飜\n平和 1飜\nドラ 1飜\n計 4飜 20符（副底 20）\n"
         "点数＝5200点　親の支払い 2600点／子の支払い 1300点\n"},
        {{"hand", "--chi", "123m", "--chi", "456m", "789m11z55z5z", "--honba", "1", "--sticks",
          "2"},
         "白 1飜\n一気通貫 1飜\n混一色 2飜\n計 4飜 30符（副底 20、明刻（幺九牌） 4、連風牌の雀頭 "
         "4）\n"
         "点数＝1万1600点　子の支払い 3900点オール\n"
         "1本場・供託2本込み　放銃者の支払い 1万1900点　和了者の受け取り 1万3900点\n"},
        {{"hand", "123m456p789s23455s", "--seat", "W"},
         "役なし\n役無しチョンボ！ 親への支払い 4000点／子への支払い 2000点\n"},
        {{"hand", "--players", "3", "123p456p789p111s99m", "--tsumo", "--seat", "S", "--kita", "1",
          "--sanma-tsumo", "split", "--plain"},
         "門前清自摸和 1飜\n一気通貫 2飜\n抜きドラ 1飜\n"
         "計 4飜 40符（副底 20、ツモ 2、暗刻（幺九牌） 8、単騎待ち 2）\n"
         "点数＝10300点　親の支払い 5200点／子の支払い 2600点\n"
         "三人麻雀（北家折半）　親の支払い 6500点／子の支払い 3900点　和了者の受け取り 10400点\n"},
        {{"hand", "55555m", "--win", "5m", "--help"}, ""},
        {{"hand", "12m456p789s234s11z3m", "--encoding", "cp932", "--riichi"},
         velmarto::ToCp932(
             "立直 1飜\n計 1飜 40符（副底 20、門前ロン 10、連風牌の雀頭 4、辺張待ち 2）\n"
             "点数＝2000点　子の支払い 700点オール\n")},
        {{"hand", "19m19p19s1234567z1m", "--json"},
         R"({"yaku":[{"name":"国士無双十三面","han":26}],"dora":{"dora":0,"aka":0,"ura":0},"han":26,)"
         R"("fu":40,"fu_items":[{"name":"副底","fu":20},{"name":"門前ロン","fu":10},)"
         R"({"name":"十三面待ち","fu":2}],"dealer":true,"tsumo":false,"no_yaku":false,)"
         R"("payments":{"ron":"64424509500","tsumo_each":"21474836500"},"honba":0,"sticks":0,)"
         R"("report":"点数＝644億2450万9500点　子の支払い 214億7483万6500点オール"})"
         "\n"},
    };
    for (const Invocation& c : cases) {
        const ToolRun run = RunTool(c.args);
        EXPECT_EQ(run.exitCode, 0) << c.args[1];
        if (c.out.empty()) {
            EXPECT_TRUE(run.out.starts_with("Count a winning hand")) << run.out;
        } else {
            EXPECT_EQ(run.out, c.out) << c.args[1];
        }
        EXPECT_EQ(run.err, "") << c.args[1];
    }
}

TEST(VelmartoScoreHand, BatchGoesOnPastBadLinesAndSaysSoInItsStatus) {
    const InputFile input(
        "234567m234p6799s8s --tsumo --riichi\n"
        "123m4\n"
        "\n"
        "19m19p19s1234567z1m --seat N --json\n");
    const ToolRun text = RunTool({"hand", "--batch"}, nullptr, input.Path());
    EXPECT_EQ(text.exitCode, velmarto::cli::kExitUsage);
    EXPECT_EQ(text.err, "");
    EXPECT_EQ(
        text.out,
        "3飜 20符\t立直 1、門前清自摸和 1、平和 1\t点数＝3900点　子の支払い 1300点オール\n"
        "error\tline 2: '4' at the end of '123m4' has no suit letter (m, p, s or z)\n"
        "error\tline 3: TILES is required\n"
        R"({"yaku":[{"name":"国士無双十三面","han":26}],"dora":{"dora":0,"aka":0,"ura":0},"han":26,)"
        R"("fu":40,"fu_items":[{"name":"副底","fu":20},{"name":"門前ロン","fu":10},)"
        R"({"name":"十三面待ち","fu":2}],"dealer":false,"tsumo":false,"no_yaku":false,)"
        R"("payments":{"ron":"42949673000","tsumo_dealer":"21474836500","tsumo_non_dealer":"10737418300"},)"
        R"("honba":0,"sticks":0,"report":"点数＝429億4967万3000点　親の支払い 214億7483万6500点／子の支払い 107億3741万8300点"})"
        "\n");
    const ToolRun json = RunTool({"hand", "--batch", "--json"}, nullptr, input.Path());
    EXPECT_EQ(json.exitCode, velmarto::cli::kExitUsage);
    EXPECT_NE(json.out.find("{\"error\":\"line 2: '4' at the end of '123m4' has no suit letter (m, "
                            "p, s or z)\"}\n"),
              std::string::npos)
        << json.out;
    EXPECT_EQ(std::count(json.out.begin(), json.out.end(), '\n'), 4);
    const InputFile good("234567m234p6799s8s --riichi\n");
    EXPECT_EQ(RunTool({"hand", "--batch"}, nullptr, good.Path()).exitCode, 0);
}

TEST(VelmartoScoreHand, RejectsBadHandsWithoutOutput) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"hand"}, "TILES is required"},
        {{"hand", "123m456p789s11z"},
         "11 tiles: a winning hand has 14, each called set counting 3 (quads too)"},
        {{"hand", "123m456p789s12s355z"},
         "not a winning hand: the tiles make neither four sets and a pair, seven pairs nor "
         "thirteen orphans"},
        {{"hand", "123m456p789s11z55x"},
         "unexpected 'x' at position 18 of '123m456p789s11z55x' (tiles are digits and m, p, s or "
         "z)"},
        {{"hand", "123p456s11z55m", "--chi", "124m"},
         "--chi 124m is not a run of three tiles of one suit"},
        {{"hand", "123m456p789s11z555s", "--dora", "5s5s"},
         "--dora: 5s appears 5 times (the hand, called sets and indicators together); there are 4"},
        {{"hand", "123m456p789s11z555s", "--round", "X"}, "--round: X not in {E,S,W,N}"},
        {{"hand", "123m456p789s11z555s", "--bogus"},
         "The following argument was not expected: --bogus"},
        {{"hand", "--players", "3", "123m456p789s11z555s"},
         "2m is not used with three players (no 2m-8m)"},
        {{"hand", "--players", "3", "456p789p111z55s", "--chi", "123s"},
         "no chi with three players"},
        {{"hand", "--batch", "123m456p789s11z555s"},
         "with --batch the hands come from standard input, not '123m456p789s11z555s'"},
    };
    for (const auto& [args, message] : cases) {
        const ToolRun run = RunTool(args);
        EXPECT_EQ(run.exitCode, velmarto::cli::kExitUsage) << message;
        EXPECT_EQ(run.out, "") << message;
        EXPECT_EQ(run.err, "velmarto-score: hand: " + message + "\n");
    }
}

TEST(VelmartoScore, HelpListsUsageAndExitsZero) {
    const ToolRun run = RunTool({"--help"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.starts_with("Usage: velmarto-score [--dealer | --non-dealer] HAN FU\n"));
    EXPECT_NE(run.out.find("--encoding"), std::string::npos);
    EXPECT_EQ(run.err, "");
}

}  // namespace
