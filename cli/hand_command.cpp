// The options are CLI11's (a batch reads its plain lines without it); the hand is read, checked and
// scored by the engine, and written here as text, one TSV line per hand in a batch, or JSON.
#include "cli/hand_command.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "cli/batch_io.h"
#include "cli/batch_line.h"
#include "cli/hand_json.h"
#include "cli/hand_options.h"
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

// The three-player tsumo line goes below the report, above the settlement, as the hand is paid.
void AppendText(std::string& out, const HandScore& score,
                const std::optional<ThreePlayerTsumo>& threePlayers) {
    for (const std::string& line : hand::SummaryLines(score.result)) {
        out.append(line).append("\n");
    }
    out.append(score.report).append("\n");
    if (threePlayers) {
        out.append(threePlayers->line).append("\n");
    }
    if (!score.settlementLine.empty()) {
        out.append(score.settlementLine).append("\n");
    }
}

// One batch line: totals, yaku, report (and the settlement and the three-player tsumo line),
// separated by tabs.
void AppendBatchLine(std::string& out, const HandScore& score,
                     const std::optional<ThreePlayerTsumo>& threePlayers) {
    const hand::HandResult& result = score.result;
    out.append(result.NoYaku() ? "0飜" : hand::Totals(result)).append("\t");
    const std::vector<hand::HanLine> lines = hand::HanLines(result);
    if (lines.empty()) {
        out.append("役なし");
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        out.append(i == 0 ? "" : "、").append(lines[i].name).append(" ");
        out.append(std::to_string(lines[i].han));
    }
    out.append("\t").append(score.report);
    if (!score.settlementLine.empty()) {
        out.append("\t").append(score.settlementLine);
    }
    if (threePlayers) {
        out.append("\t").append(threePlayers->line);
    }
    out.append("\n");
}

struct OutputStyle {
    bool json = false;
    bool plain = false;
    bool batchLine = false;
    game::SanmaTsumo sanma = game::SanmaTsumo::Loss;
};

// Scores one hand and appends what it prints to `out`; or returns the error, `out` untouched.
std::string ScoreOne(const hand::HandText& text, OutputStyle style, std::string& out) {
    auto input = hand::ReadHand(text);
    if (auto* error = std::get_if<hand::NotationError>(&input)) {
        return error->message;
    }
    const hand::HandInput& handInput = std::get<hand::HandInput>(input);
    const Figures figures = style.plain ? Figures::Plain : Figures::Myriad;
    auto scored = hand::ScoreHand(handInput, figures);
    if (auto* error = std::get_if<hand::NotationError>(&scored)) {
        return error->message;
    }
    const HandScore& score = std::get<HandScore>(scored);
    const std::optional<ThreePlayerTsumo> threePlayers = ThreePlayerTsumoOf(
        score, text.rules.players, handInput.situation.tsumo, style.sanma, figures);
    if (style.json) {
        AppendHandJson(out, score, handInput.situation, threePlayers);
        out += '\n';
    } else if (style.batchLine) {
        AppendBatchLine(out, score, threePlayers);
    } else {
        AppendText(out, score, threePlayers);
    }
    return {};
}

OutputStyle StyleOf(const HandOptions& o, bool batchLine) {
    return {o.json, o.plain, batchLine, SanmaRule(o)};
}

// The two ways to read a batch line: most lines are read quickly, the rest by the full parser,
// built the first time a line needs it.
struct BatchReaders {
    BatchLine quick;
    std::optional<HandParser> full;
};

std::string ScoreBatchLine(std::span<const std::string_view> words, const HandOptions& batch,
                           BatchReaders& readers, std::string& out) {
    if (ReadBatchLine(words, readers.quick)) {
        const BatchLine& line = readers.quick;
        return ScoreOne(
            line.text, {line.json || batch.json, line.plain || batch.plain, true, line.sanma}, out);
    }
    if (!readers.full) {
        readers.full.emplace(kHandShape, false);
    }
    Parsed parsed = readers.full->Parse(words);
    if (!parsed.help.empty()) {
        return "--help is not a hand";
    }
    if (!parsed.error.empty()) {
        return parsed.error;
    }
    HandOptions& o = parsed.options;
    o.json |= batch.json;
    o.plain |= batch.plain;
    return ScoreOne(ToHandText(o), StyleOf(o, true), out);
}

std::string ScoreCommandLine(const HandOptions& options, std::string& out) {
    return ScoreOne(ToHandText(options), StyleOf(options, false), out);
}

CliResult RunBatch(const HandOptions& batch, std::istream& input, const Drain& drain) {
    CliResult result;
    BatchReaders readers;
    std::vector<std::string_view> words;
    ForEachLine(input, [&](std::string_view line, int number) {
        SplitLine(line, words);
        const std::string error = ScoreBatchLine(words, batch, readers, result.out);
        if (!error.empty()) {
            AppendLineError(result, number, error, batch.json);
        }
        return DrainFullBlock(result.out, drain);
    });
    return result;
}

}  // namespace

std::variant<game::HandDescription, std::string> ReadGameHand(std::string_view words) {
    const std::vector<std::string> split = hand::SplitWords(words);
    const std::vector<std::string_view> args(split.begin(), split.end());
    const Parsed parsed = HandParser(kHandShape, false).Parse(args);
    if (!parsed.help.empty()) {
        return std::string("--help is not a hand");
    }
    if (!parsed.error.empty()) {
        return parsed.error;
    }
    const HandOptions& o = parsed.options;
    const HandOptions defaults;
    if (o.seat != defaults.seat || o.round != defaults.round || o.situation.tsumo ||
        o.situation.honba != 0 || o.situation.sticks != 0 || o.players != defaults.players ||
        o.sanmaTsumo != defaults.sanmaTsumo || o.noDoubleYakuman || o.noOpenTanyao || o.json ||
        o.plain || o.encoding != defaults.encoding) {
        return std::string(
            "in a game the seat, round, tsumo, honba, sticks, players and rules are the game's: "
            "give the tiles, sets, indicators and situation only");
    }
    game::HandDescription d;
    d.tiles = o.tiles;
    d.win = o.win;
    for (const auto& [kind, meld] : ToHandText(o).melds) {
        d.melds.emplace_back(kind, meld);
    }
    d.dora = o.dora;
    d.ura = o.ura;
    d.declared = o.situation;
    d.kita = o.situation.kita;
    return d;
}

CliResult RunHandCommand(std::span<const std::string_view> args, std::istream& input,
                         const Drain& drain) {
    return RunHandReadingCommand(kHandShape, {RunBatch, ScoreCommandLine}, args, input, drain);
}

}  // namespace velmarto::cli
