// The engine reads, analyses and words the hand; this file prints the analysis: the engine's lines,
// one tab-separated line per hand in a batch, or JSON whose scored hands are exactly what
// `hand --json` prints.
#include "cli/waits_command.h"

#include <string>
#include <vector>

#include "cli/batch_io.h"
#include "cli/hand_json.h"
#include "cli/hand_options.h"
#include "engine/hand/waits.h"
#include "engine/hand/waits_summary.h"

namespace velmarto::cli {
namespace {

using hand::WaitAnalysis;
using hand::WaitResult;

constexpr std::string_view kFooter = R"(
With 13 tiles (each called set counting 3): the waits, how many of each are left unseen (4 less
the copies in the hand, the called sets and the indicators) and the exact result of a ron and of
a tsumo on each; when not tenpai, the shanten and the tiles that lower it. With 14 tiles: every
discard, best first (lowest shanten, most useful tiles left, largest tsumo), with its waits.
嶺上開花, 海底摸月, 天和 and 地和 count only for a tsumo; 槍槓 and 河底撈魚 only for a ron.

Tiles: digits, then their suit letter: m characters, p circles, s bamboo, z honours
(1-4 East South West North, 5 白, 6 發, 7 中); 0 is a red five. 3m3m7m is 337m.

Examples:
  velmarto-score waits 1112345678999m --riichi                (nine gates: nine waits)
  velmarto-score waits 234567m234p678s5s --seat S --discards 8s       (furiten: no ron)
  velmarto-score waits 234567m234p6789s1z --seat S                   (what to cut)
  velmarto-score waits --batch --json < hands.txt

Exit status: 0 on success; 2 for a bad command line or hand, or a batch with a bad line;
1 when the output cannot be written.)";

constexpr HandCommandShape kWaitsShape = {
    "velmarto-score waits",
    "List a hand's waits and what each pays under no limit, its shanten and useful tiles, or "
    "what to cut.",
    "the concealed tiles: 13 with the called sets, or 14 to choose a discard", kFooter, false};

Json TilesJson(const std::vector<hand::TileLeft>& tiles) {
    Json out = Json::array();
    for (const hand::TileLeft& t : tiles) {
        out.push_back({{"tile", hand::TileName(t.tile)}, {"left", t.left}});
    }
    return out;
}

// Written by the same writer as `hand --json`, so the two print the same object.
Json HandJson(const hand::HandScore& score, const hand::Situation& situation,
              const HandOptions& options) {
    std::string text;
    AppendHandJson(
        text, score, situation,
        ThreePlayerTsumoOf(score, options.players, situation.tsumo, SanmaRule(options),
                           options.plain ? hand::Figures::Plain : hand::Figures::Myriad));
    return Json::parse(text);
}

Json WaitJson(const WaitResult& wait, const hand::Situation& situation,
              const HandOptions& options) {
    Json out = {{"tile", hand::TileName(wait.tile)}, {"left", wait.left}};
    if (wait.ron) {
        out["ron"] = HandJson(*wait.ron, hand::SituationFor(situation, false), options);
    }
    out["tsumo"] = HandJson(wait.tsumo, hand::SituationFor(situation, true), options);
    return out;
}

Json WaitsJson(const std::vector<WaitResult>& waits, const hand::Situation& situation,
               const HandOptions& options) {
    Json out = Json::array();
    for (const WaitResult& wait : waits) {
        out.push_back(WaitJson(wait, situation, options));
    }
    return out;
}

Json AnalysisJson(const WaitAnalysis& analysis, const hand::Situation& situation,
                  const HandOptions& options) {
    Json out = {{"shanten", analysis.shanten}};
    if (analysis.discards.empty()) {
        if (analysis.shanten == hand::kTenpai) {
            out["waits"] = WaitsJson(analysis.waits, situation, options);
        } else {
            out["useful"] = TilesJson(analysis.useful);
        }
        out["furiten"] = analysis.furiten;
        return out;
    }
    if (analysis.win) {
        out["win"] = WaitJson(*analysis.win, situation, options);
    }
    Json discards = Json::array();
    for (const hand::DiscardResult& discard : analysis.discards) {
        Json entry = {{"tile", hand::TileName(discard.tile)},
                      {"shanten", discard.shanten},
                      {"useful", TilesJson(discard.useful)}};
        if (discard.shanten == hand::kTenpai) {
            entry["waits"] = WaitsJson(discard.waits, situation, options);
            entry["furiten"] = discard.furiten;
        }
        discards.push_back(std::move(entry));
    }
    out["discards"] = std::move(discards);
    return out;
}

// One hand from its options: the output, or an error message.
struct Outcome {
    std::string out;
    std::string error;
};

Outcome AnalyzeOne(const HandOptions& options, bool batchLine) {
    const hand::HandText text = ToHandText(options);
    auto analysed = hand::AnalyzeWaits(
        text, options.discards, options.plain ? hand::Figures::Plain : hand::Figures::Myriad);
    if (auto* error = std::get_if<hand::NotationError>(&analysed)) {
        return {"", error->message};
    }
    const WaitAnalysis& analysis = std::get<WaitAnalysis>(analysed);
    if (options.json) {
        return {JsonLine(AnalysisJson(analysis, text.situation, options)), ""};
    }
    std::string out;
    for (const std::string& line : hand::WaitsLines(analysis)) {
        out += (batchLine && !out.empty() ? "\t" : "") + line + (batchLine ? "" : "\n");
    }
    return {batchLine ? out + "\n" : out, ""};
}

std::string AnalyzeCommandLine(const HandOptions& options, std::string& out) {
    Outcome outcome = AnalyzeOne(options, false);
    out = std::move(outcome.out);
    return outcome.error;
}

CliResult RunBatch(const HandOptions& batch, std::istream& input, const Drain& drain) {
    CliResult result;
    HandParser parser(kWaitsShape, false);
    ForEachLine(input, [&](std::string_view line, int number) {
        const std::vector<std::string> words = hand::SplitWords(line);
        const std::vector<std::string_view> args(words.begin(), words.end());
        Parsed parsed = parser.Parse(args);
        parsed.options.json |= batch.json;
        parsed.options.plain |= batch.plain;
        Outcome outcome =
            parsed.error.empty() ? AnalyzeOne(parsed.options, true) : Outcome{"", parsed.error};
        if (!parsed.help.empty()) {
            outcome.error = "--help is not a hand";
        }
        if (outcome.error.empty()) {
            result.out += outcome.out;
        } else {
            AppendLineError(result, number, outcome.error, batch.json);
        }
        return DrainFullBlock(result.out, drain);
    });
    return result;
}

}  // namespace

CliResult RunWaitsCommand(std::span<const std::string_view> args, std::istream& input,
                          const Drain& drain) {
    return RunHandReadingCommand(kWaitsShape, {RunBatch, AnalyzeCommandLine}, args, input, drain);
}

}  // namespace velmarto::cli
