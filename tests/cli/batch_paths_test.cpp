// The quick reader of batch lines against the full option parser, and the JSON writer against a
// JSON library: the same lines give the same bytes either way.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "cli/hand_json.h"
#include "cli/score_cli.h"
#include "engine/hand/hand_evaluator.h"

namespace {

using velmarto::cli::CliResult;
using velmarto::cli::RunScoreCli;

// Plain lines the quick reader takes, and lines it must leave to the full parser.
const std::vector<std::string> kLines = {
    "234567m234p6799s8s --tsumo --riichi --dora 1m --seat S",
    "567p345s66s888p --chi 234m --seat S --honba 2 --sticks 1",
    "1122m3344p5566s77z --round S --seat W --plain",
    "1233356p4p --ankan 2222m --dora 7z --seat W --kan 3333z",
    "--pon 777z 234m567p99s --chi 123s --seat N --no-open-tanyao",
    "--kan 1111m 23m --ankan 5555z --pon 999p --chi 789s 1m --tsumo --rinshan",
    "11z --ankan 5555z --ankan 6666z --ankan 7777z --ankan 2222z --seat S --tsumo --rinshan "
    "--double-riichi --ippatsu --dora 1z1z4z4z4z --ura 4z --no-double-yakuman --sticks 3",
    "19m19p19s1234567z1m --json --honba 1000000",
    "11123455678999m --win 5m --tsumo --haitei --encoding utf-8",
    "0m23m456p789s23405s --riichi --ura 9s --seat E --chankan",
    "123m456p789s23455s --seat W",
    "123m456p789s11z --riichi",
    "111m999m123p456s77z --players 3 --tsumo --seat S --kita 2 --sanma-tsumo split",
    "111m999m123p456s77z --tsumo --players 3 --honba 1 --plain",
    "111m999m123p456s77z --players 3 --seat W --kita 1",
    "111m999m123p456s77z --players 5",
    "111m999m123p456s77z --players 3 --kita 5",
    "111m999m123p456s77z --players 3 --sanma-tsumo half",
    "111m999m123p456s77z --players 3 --chi 123p",
    "123m4",
    "234567m234p6799s8s --round X",
    "234567m234p6799s8s --tsumo --tsumo",
    "234567m234p6799s8s --dora 1m --dora 2m",
    "234567m234p6799s8s 11z",
    "234567m234p6799s8s --honba 010",
    "234567m234p6799s8s --sticks 1000001",
    "234567m234p6799s8s --dora",
    "234567m234p6799s8s --bogus",
    "--help",
    "",
};

// The same line in the spelling only the full parser reads: every option value after '='.
std::string WithEquals(const std::string& line) {
    static const std::regex valued(
        "(--(?:chi|pon|kan|ankan|win|dora|ura|round|seat|honba|sticks|encoding|players|kita|"
        "sanma-tsumo)) ([^-][^ ]*)");
    return std::regex_replace(line, valued, "$1=$2");
}

CliResult RunBatch(const std::vector<std::string>& lines, std::vector<std::string_view> options) {
    std::string input;
    for (const std::string& line : lines) {
        input += line + "\n";
    }
    std::istringstream stream(input);
    options.insert(options.begin(), {"hand", "--batch"});
    return RunScoreCli(options, stream);
}

TEST(BatchPaths, QuickAndFullParsersPrintTheSame) {
    std::vector<std::string> spelledOut;
    for (const std::string& line : kLines) {
        spelledOut.push_back(WithEquals(line));
    }
    ASSERT_NE(spelledOut[0], kLines[0]);
    for (const std::vector<std::string_view>& options :
         {std::vector<std::string_view>{}, {"--json"}, {"--plain"}}) {
        const CliResult quick = RunBatch(kLines, options);
        const CliResult full = RunBatch(spelledOut, options);
        EXPECT_EQ(quick.out, full.out) << (options.empty() ? "text" : options[0]);
        EXPECT_EQ(quick.exitCode, full.exitCode);
        EXPECT_EQ(std::count(quick.out.begin(), quick.out.end(), '\n'),
                  static_cast<long>(kLines.size()));
    }
}

// A three-player tsumo's line ends its batch line, after the settlement; the single hand's text
// prints it between the report and the settlement.
TEST(BatchPaths, AThreePlayerTsumoLineEndsItsBatchLine) {
    const std::vector<std::string_view> args = {
        "hand", "111m999m123p456s77z", "--players", "3", "--tsumo", "--seat", "S", "--honba", "1"};
    std::istringstream single(RunScoreCli(args).out);
    std::vector<std::string> singleLines;
    for (std::string text; std::getline(single, text);) {
        singleLines.push_back(text);
    }
    ASSERT_GE(singleLines.size(), 3U);
    const std::string settlement = singleLines.back();
    const std::string threePlayers = singleLines[singleLines.size() - 2];
    ASSERT_TRUE(threePlayers.starts_with("三人麻雀")) << threePlayers;
    const CliResult batch = RunBatch({"111m999m123p456s77z --players 3 --tsumo --seat S --honba 1",
                                      "111m999m123p456s77z --players 3 --seat S"},
                                     {});
    ASSERT_EQ(batch.exitCode, 0) << batch.out;
    const std::string first = batch.out.substr(0, batch.out.find('\n'));
    EXPECT_TRUE(first.ends_with("\t" + settlement + "\t" + threePlayers)) << first;
    EXPECT_EQ(batch.out.substr(first.size() + 1).find("三人麻雀"), std::string::npos);
}

TEST(BatchPaths, EachJsonLineIsTheSingleHandsOutput) {
    const CliResult batch = RunBatch(kLines, {"--json"});
    std::istringstream printed(batch.out);
    for (const std::string& line : kLines) {
        std::string batchLine;
        ASSERT_TRUE(std::getline(printed, batchLine));
        std::vector<std::string> words;
        std::istringstream split(line);
        for (std::string word; split >> word;) {
            words.push_back(word);
        }
        std::vector<std::string_view> args = {"hand", "--json"};
        args.insert(args.end(), words.begin(), words.end());
        const CliResult single = RunScoreCli(args);
        if (single.exitCode == 0 && !single.out.starts_with("Count")) {
            EXPECT_EQ(batchLine + "\n", single.out) << line;
        } else {
            EXPECT_TRUE(batchLine.starts_with("{\"error\":")) << line;
        }
    }
}

// A long batch handed out block by block, as the program writes it, is the same bytes as the batch
// held whole; a drain that cannot write stops the batch.
TEST(BatchPaths, ADrainedBatchIsTheBatchHeldWhole) {
    // Each repeated past a block of output in every form; the hands past a block of input too.
    const struct {
        std::string_view command;
        std::vector<std::string> lines;
        int repeats;
    } batches[] = {{"hand", {kLines[0], kLines[1], kLines[7], "123m4"}, 400},
                   {"waits", {"1112345678999m", "123m456p789s1122z --discards 1z", "123m4"}, 30}};
    for (const auto& [command, lines, repeats] : batches) {
        std::string input;
        for (int i = 0; i < repeats; ++i) {
            for (const std::string& line : lines) {
                input += line + "\n";
            }
        }
        input += lines.front();  // a last line without its newline
        for (const std::vector<std::string_view>& options :
             {std::vector<std::string_view>{}, {"--json"}}) {
            std::vector<std::string_view> args = {command, "--batch"};
            args.insert(args.end(), options.begin(), options.end());
            std::istringstream heldInput(input);
            const CliResult held = RunScoreCli(args, heldInput);
            std::string drained;
            int blocks = 0;
            std::istringstream drainedInput(input);
            const CliResult rest = RunScoreCli(args, drainedInput, [&](std::string_view text) {
                drained += text;
                ++blocks;
                return true;
            });
            EXPECT_GE(blocks, 1) << command;
            EXPECT_EQ(drained + rest.out, held.out) << command;
            EXPECT_EQ(rest.exitCode, held.exitCode) << command;
            EXPECT_EQ(held.exitCode, velmarto::cli::kExitUsage) << command;
            EXPECT_EQ(std::count(held.out.begin(), held.out.end(), '\n'),
                      static_cast<long>(repeats * lines.size() + 1))
                << command;

            int calls = 0;
            std::istringstream lostInput(input);
            const CliResult lost = RunScoreCli(args, lostInput, [&](std::string_view) {
                ++calls;
                return false;
            });
            EXPECT_EQ(calls, 1) << command;
            EXPECT_LT(lost.out.size(), held.out.size()) << command;
        }
    }
}

TEST(HandJson, EscapesAsTheJsonLibraryDoes) {
    const std::string cases[] = {
        "plain",
        "",
        "quote \" and backslash \\",
        "\b\f\n\r\t",
        std::string("\x01\x1f\x7f", 3),
        "点数＝1万1600点　子の支払い 3900点オール",
        std::string(1, '\0'),
        "past eight bytes: 点数＝1万1600点\x1f and \"quoted\" \\ then more text",
        "abcdefg\"",
        "abcdefgh\n",
        "abcdefghijklmno\\",
        [] {
            std::string ascii;
            for (int c = 0; c < 0x80; ++c) {
                ascii += static_cast<char>(c);
            }
            return ascii + ascii.substr(3);
        }(),
    };
    for (const std::string& text : cases) {
        std::string written;
        velmarto::cli::AppendJsonString(written, text);
        EXPECT_EQ(written, nlohmann::json(text).dump()) << text;
    }
}

TEST(HandJson, WritesWhatTheLibraryWouldForEveryKindOfResult) {
    using namespace velmarto::hand;
    const HandText hands[] = {
        {.tiles = "234567m234p6799s8s",
         .dora = "1m",
         .situation = {{.riichi = true}, {.tsumo = true}}},
        {.tiles = "123m456p789s23455s", .situation = {{}, {.seatWind = 2}}},
        {.tiles = "19m19p19s1234567z1m", .situation = {{}, {.honba = 2, .sticks = 1}}},
        {.tiles = "111m333p555s99s777z",
         .situation = {{}, {.tsumo = true, .seatWind = 1, .honba = 1, .sticks = 2}}},
        {.tiles = "111m999m123p456s77z",
         .situation = {{}, {.tsumo = true, .seatWind = 1, .honba = 1, .kita = 1}},
         .rules = {.players = 3}},
        {.tiles = "111m999m123p456s77z", .situation = {{}, {.kita = 2}}, .rules = {.players = 3}},
    };
    for (const HandText& text : hands) {
        const auto input = std::get<HandInput>(ReadHand(text));
        const auto score = std::get<HandScore>(ScoreHand(input, Figures::Myriad));
        const auto threePlayers =
            velmarto::cli::ThreePlayerTsumoOf(score, text.rules.players, text.situation.tsumo,
                                              velmarto::game::SanmaTsumo::Split, Figures::Myriad);
        std::string written;
        velmarto::cli::AppendHandJson(written, score, input.situation, threePlayers);
        const auto parsed = nlohmann::ordered_json::parse(written);
        EXPECT_EQ(parsed.dump(), written);
        EXPECT_EQ(parsed["report"], score.report);
        EXPECT_EQ(parsed["han"], score.result.han);
        EXPECT_EQ(parsed["yaku"].size(), score.result.yaku.View().size());
        EXPECT_EQ(parsed["payments"].is_null(), !score.payments);
        EXPECT_EQ(parsed.contains("settlement"), score.settlement.has_value());
        EXPECT_EQ(parsed.contains("three_players"),
                  text.rules.players == 3 && text.situation.tsumo);
    }
}

}  // namespace
