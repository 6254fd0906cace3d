// The options are CLI11's (a batch reads its plain lines without it); the hand is read, checked and
// scored by the engine, and written here as text, one TSV line per hand in a batch, or JSON.
#include "cli/hand_command.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "cli/batch_line.h"
#include "cli/hand_json.h"
#include "cli/hand_options.h"
#include "engine/cp932.h"
#include "engine/hand/hand_evaluator.h"
#include "engine/hand/hand_summary.h"

namespace velmarto::cli {
namespace {

using hand::Figures;
using hand::HandScore;
using Json = nlohmann::ordered_json;

constexpr std::string_view kProgram = "velmarto-score hand";
constexpr std::string_view kWindHelp = "E, S, W or N";
constexpr std::size_t kReadBlock = 1 << 16;

// Everything one hand's command line says.
struct HandOptions {
    std::string tiles;
    std::string win;
    std::array<std::vector<std::string>, 4> melds;  // in MeldKind order
    std::string dora;
    std::string ura;
    std::string round = "E";
    std::string seat = "E";
    hand::Situation situation;
    bool noDoubleYakuman = false;
    bool noOpenTanyao = false;
    bool json = false;
    bool plain = false;
    bool batch = false;
    std::string encoding = "utf-8";
};

constexpr std::array<std::string_view, 4> kMeldHelp = {
    "a called run, e.g. 123m (repeatable)", "a called triplet, e.g. 555z (repeatable)",
    "an open quad, e.g. 1111m (repeatable)", "a closed quad, e.g. 2222p (repeatable)"};

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

void Describe(CLI::App& app, HandOptions& o) {
    app.allow_windows_style_options(false);
    app.footer(std::string(kFooter));
    app.add_option("TILES", o.tiles,
                   "the concealed tiles with the winning tile, last unless --win names it");
    app.add_option("--win", o.win, "the winning tile, when it is not the last one written");
    for (std::size_t i = 0; i < kMeldOptions.size(); ++i) {
        // One set per use, so a set never swallows the tiles after it.
        app.add_option(std::string(kMeldOptions[i]), o.melds[i], std::string(kMeldHelp[i]))
            ->allow_extra_args(false);
    }
    for (const SituationFlag& flag : kSituationFlags) {
        app.add_flag(std::string(flag.name), o.situation.*flag.flag, std::string(flag.help));
    }
    const std::vector<std::string> winds(kWindLetters.begin(), kWindLetters.end());
    app.add_option("--round", o.round,
                   "the round's wind: " + std::string(kWindHelp) + " (default E)")
        ->check(CLI::IsMember(winds));
    app.add_option("--seat", o.seat,
                   "the winner's seat: " + std::string(kWindHelp) + " (default E, the dealer)")
        ->check(CLI::IsMember(winds));
    app.add_option("--dora", o.dora, "dora indicators, e.g. 3m7z");
    app.add_option("--ura", o.ura, "ura dora indicators (with riichi)");
    app.add_option("--honba", o.situation.honba, "honba counters")
        ->check(CLI::Range(0, kMaxCounters));
    app.add_option("--sticks", o.situation.sticks, "riichi sticks on the table")
        ->check(CLI::Range(0, kMaxCounters));
    app.add_flag("--no-double-yakuman", o.noDoubleYakuman,
                 "count the double yakuman forms 13 han, not 26");
    app.add_flag("--no-open-tanyao", o.noOpenTanyao, "断幺九 only in a closed hand");
    app.add_flag("--json", o.json, "one JSON object instead of text");
    app.add_flag("--plain", o.plain, "plain digits instead of myriad units");
    app.add_option("--encoding", o.encoding, "output encoding: utf-8 (default) or cp932")
        ->check(CLI::IsMember(std::vector<std::string>(kEncodings.begin(), kEncodings.end())));
}

// One hand's options, or an error message, or the help text.
struct Parsed {
    HandOptions options;
    std::string error;
    std::string help;
};

// The options described once, and parsed as often as there are hands in a batch.
class HandParser {
public:
    explicit HandParser(bool allowBatch)
        : m_app("Count a winning hand's yaku and fu and print its exact no-limit payments.",
                std::string(kProgram)) {
        Describe(m_app, m_options);
        if (allowBatch) {
            m_app.add_flag(
                "--batch", m_options.batch,
                "read one hand per line from standard input, the same arguments as after 'hand'");
        }
    }

    Parsed Parse(std::span<const std::string_view> args) {
        // Options a line leaves out keep their defaults, not the previous line's values.
        m_options = HandOptions{};
        Parsed parsed;
        std::vector<std::string> reversed(args.rbegin(), args.rend());
        try {
            m_app.parse(reversed);
        } catch (const CLI::CallForHelp&) {
            parsed.help = m_app.help();
        } catch (const CLI::ParseError& e) {
            parsed.error = e.what();
        }
        // TILES may be left out only for a batch, whose hands come from standard input.
        if (parsed.error.empty() && parsed.help.empty() && !m_options.batch &&
            m_options.tiles.empty()) {
            parsed.error = "TILES is required";
        }
        parsed.options = m_options;
        return parsed;
    }

private:
    CLI::App m_app;
    HandOptions m_options;
};

hand::HandText ToHandText(const HandOptions& o) {
    hand::HandText text;
    text.tiles = o.tiles;
    if (!o.win.empty()) {
        text.win = o.win;
    }
    for (std::size_t kind = 0; kind < o.melds.size(); ++kind) {
        for (const std::string& meld : o.melds[kind]) {
            text.melds.emplace_back(static_cast<hand::MeldKind>(kind), meld);
        }
    }
    text.dora = o.dora;
    text.ura = o.ura;
    text.situation = o.situation;
    text.situation.roundWind = WindIndex(o.round);
    text.situation.seatWind = WindIndex(o.seat);
    text.rules.doubleYakuman = !o.noDoubleYakuman;
    text.rules.openTanyao = !o.noOpenTanyao;
    return text;
}

void AppendText(std::string& out, const HandScore& score) {
    for (const std::string& line : hand::SummaryLines(score.result)) {
        out.append(line).append("\n");
    }
    out.append(score.report).append("\n");
    if (!score.settlementLine.empty()) {
        out.append(score.settlementLine).append("\n");
    }
}

// One batch line: totals, yaku, report (and the settlement), separated by tabs.
void AppendBatchLine(std::string& out, const HandScore& score) {
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
    out.append("\n");
}

// One JSON line. What a user typed may not be UTF-8; it is shown with replacement characters.
std::string JsonLine(const Json& json) {
    return json.dump(-1, ' ', false, Json::error_handler_t::replace) + "\n";
}

struct OutputStyle {
    bool json = false;
    bool plain = false;
    bool batchLine = false;
};

// Scores one hand and appends what it prints to `out`; or returns the error, `out` untouched.
std::string ScoreOne(const hand::HandText& text, OutputStyle style, std::string& out) {
    auto input = hand::ReadHand(text);
    if (auto* error = std::get_if<hand::NotationError>(&input)) {
        return error->message;
    }
    const hand::HandInput& handInput = std::get<hand::HandInput>(input);
    auto scored = hand::ScoreHand(handInput, style.plain ? Figures::Plain : Figures::Myriad);
    if (auto* error = std::get_if<hand::NotationError>(&scored)) {
        return error->message;
    }
    const HandScore& score = std::get<HandScore>(scored);
    if (style.json) {
        AppendHandJson(out, score, handInput.situation);
        out += '\n';
    } else if (style.batchLine) {
        AppendBatchLine(out, score);
    } else {
        AppendText(out, score);
    }
    return {};
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
        return ScoreOne(line.text, {line.json || batch.json, line.plain || batch.plain, true}, out);
    }
    if (!readers.full) {
        readers.full.emplace(false);
    }
    const Parsed parsed = readers.full->Parse(words);
    if (!parsed.help.empty()) {
        return "--help is not a hand";
    }
    if (!parsed.error.empty()) {
        return parsed.error;
    }
    const HandOptions& o = parsed.options;
    return ScoreOne(ToHandText(o), {o.json || batch.json, o.plain || batch.plain, true}, out);
}

// In blocks: a stream's buffer copied into another goes a character at a time.
std::string ReadAll(std::istream& input) {
    std::string text;
    std::array<char, kReadBlock> block{};
    while (input.read(block.data(), block.size()) || input.gcount() > 0) {
        text.append(block.data(), static_cast<std::size_t>(input.gcount()));
    }
    return text;
}

CliResult RunBatch(const HandOptions& batch, std::istream& input) {
    CliResult result;
    const std::string text = ReadAll(input);
    BatchReaders readers;
    std::vector<std::string_view> words;
    std::string_view rest = text;
    for (int number = 1; !rest.empty(); ++number) {
        const std::size_t end = std::min(rest.find('\n'), rest.size());
        SplitLine(rest.substr(0, end), words);
        rest.remove_prefix(std::min(end + 1, rest.size()));
        const std::string error = ScoreBatchLine(words, batch, readers, result.out);
        if (!error.empty()) {
            result.exitCode = kExitUsage;
            const std::string message = "line " + std::to_string(number) + ": " + error;
            result.out +=
                batch.json ? JsonLine(Json{{"error", message}}) : "error\t" + message + "\n";
        }
    }
    return result;
}

}  // namespace

CliResult RunHandCommand(std::span<const std::string_view> args, std::istream& input) {
    const Parsed parsed = HandParser(true).Parse(args);
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
        const std::string error =
            ScoreOne(ToHandText(options), {options.json, options.plain, false}, result.out);
        if (!error.empty()) {
            return fail(error);
        }
    }
    if (options.encoding == "cp932") {
        result.out = ToCp932(result.out);
    }
    return result;
}

}  // namespace velmarto::cli
