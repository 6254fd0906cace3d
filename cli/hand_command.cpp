// The options are CLI11's; the hand is read, checked and scored by the engine, and written here
// as text, one TSV line per hand in a batch, or JSON.
#include "cli/hand_command.h"

#include "cli/hand_options.h"

#include <string>
#include <vector>

#include "engine/cp932.h"
#include "engine/hand/hand_evaluator.h"
#include "engine/hand/hand_summary.h"

namespace velmarto::cli {
namespace {

using hand::Figures;
using hand::HandScore;

constexpr std::string_view kFooter = R"(
Tiles: digits, then their suit letter: m characters, p circles, s bamboo, z honours
(1-4 East South West North, 5 白, 6 發, 7 中); 0 is a red five. 3m3m7m is 337m.

Examples:
  velmarto-score hand 234567m234p6799s8s --tsumo --riichi --dora 1m --seat S
  velmarto-score hand 11z --ankan 5555z --ankan 6666z --ankan 7777z --ankan 2222z --seat S \
      --tsumo --rinshan --double-riichi --ippatsu --dora 1z1z4z4z4z --ura 4z
  velmarto-score hand 123m456p789s23455s --seat W        (no yaku: the penalty line)
  velmarto-score hand --batch --json < hands.txt

Exit status: 0 on success; 2 for a bad command line or hand, or a batch with a bad line;
1 when the output cannot be written.)";

constexpr HandCommandShape kHandShape = {
    "velmarto-score hand",
    "Count a winning hand's yaku and fu and print its exact no-limit payments.",
    "the concealed tiles with the winning tile, last unless --win names it", kFooter, true};

// One batch line: totals, yaku, report (and the settlement), separated by tabs.
std::string AsBatchLine(const HandScore& score) {
    const hand::HandResult& result = score.result;
    std::string yaku;
    const auto add = [&](std::string_view name, int han) {
        yaku += (yaku.empty() ? "" : "、") + std::string(name) + " " + std::to_string(han);
    };
    for (const hand::HanLine& han : hand::HanLines(result)) {
        add(han.name, han.han);
    }
    std::string line = (result.NoYaku() ? "0飜" : hand::Totals(result)) + "\t" +
                       (yaku.empty() ? "役なし" : yaku) + "\t" + score.report;
    if (!score.settlementLine.empty()) {
        line += "\t" + score.settlementLine;
    }
    return line + "\n";
}

// One hand from its options: the output, or an error message.
struct Outcome {
    std::string out;
    std::string error;
};

Outcome ScoreOne(const HandOptions& options, bool batchLine) {
    auto input = hand::ReadHand(ToHandText(options));
    if (auto* error = std::get_if<hand::NotationError>(&input)) {
        return {"", error->message};
    }
    const hand::HandInput& handInput = std::get<hand::HandInput>(input);
    auto scored = hand::ScoreHand(handInput, options.plain ? Figures::Plain : Figures::Myriad);
    if (auto* error = std::get_if<hand::NotationError>(&scored)) {
        return {"", error->message};
    }
    const HandScore& score = std::get<HandScore>(scored);
    if (options.json) {
        return {JsonLine(HandJson(score, handInput.situation)), ""};
    }
    return {batchLine ? AsBatchLine(score) : ScoreText(score), ""};
}

CliResult RunBatch(const HandOptions& batch, std::istream& input) {
    CliResult result;
    HandParser parser(kHandShape, false);
    std::string line;
    for (int number = 1; std::getline(input, line); ++number) {
        const std::vector<std::string> words = hand::SplitWords(line);
        const std::vector<std::string_view> args(words.begin(), words.end());
        Parsed parsed = parser.Parse(args);
        parsed.options.json |= batch.json;
        parsed.options.plain |= batch.plain;
        Outcome outcome =
            parsed.error.empty() ? ScoreOne(parsed.options, true) : Outcome{"", parsed.error};
        if (!parsed.help.empty()) {
            outcome.error = "--help is not a hand";
        }
        if (!outcome.error.empty()) {
            result.exitCode = kExitUsage;
            const std::string message = "line " + std::to_string(number) + ": " + outcome.error;
            outcome.out =
                batch.json ? JsonLine(Json{{"error", message}}) : "error\t" + message + "\n";
        }
        result.out += outcome.out;
    }
    return result;
}

}  // namespace

CliResult RunHandCommand(std::span<const std::string_view> args, std::istream& input) {
    const Parsed parsed = HandParser(kHandShape, true).Parse(args);
    if (!parsed.help.empty()) {
        return {0, parsed.help, ""};
    }
    const auto fail = [](const std::string& message) {
        return CliResult{kExitUsage, "", "velmarto-score: hand: " + message + "\n"};
    };
    if (!parsed.error.empty()) {
        return fail(parsed.error);
    }
    const HandOptions& options = parsed.options;
    if (options.batch && !options.tiles.empty()) {
        return fail("with --batch the hands come from standard input, not '" + options.tiles + "'");
    }
    CliResult result;
    if (options.batch) {
        result = RunBatch(options, input);
    } else {
        const Outcome outcome = ScoreOne(options, false);
        if (!outcome.error.empty()) {
            return fail(outcome.error);
        }
        result.out = outcome.out;
    }
    if (options.encoding == "cp932") {
        result.out = ToCp932(result.out);
    }
    return result;
}

}  // namespace velmarto::cli
