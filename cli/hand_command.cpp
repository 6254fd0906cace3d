// The options are CLI11's; the hand is read, checked and scored by the engine, and written here
// as text, one TSV line per hand in a batch, or JSON.
#include "cli/hand_command.h"

#include "cli/hand_options.h"

#include <string>
#include <vector>

#include "engine/cp932.h"
#include "engine/game/tsumo_shares.h"
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

// The three-player tsumo line, or nothing: a ron pays the same at any table.
std::string ThreePlayerLine(const HandScore& score, const HandOptions& o) {
    if (o.players != game::kThreePlayers || !o.situation.tsumo || !score.payments) {
        return "";
    }
    return game::ComposeThreePlayerTsumoLine(*score.payments, SanmaRule(o),
                                             o.plain ? Figures::Plain : Figures::Myriad);
}

// One batch line: totals, yaku, report (and the settlement and the three-player tsumo line),
// separated by tabs.
std::string AsBatchLine(const HandScore& score, const HandOptions& o) {
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
    for (const std::string& more : {score.settlementLine, ThreePlayerLine(score, o)}) {
        if (!more.empty()) {
            line += "\t" + more;
        }
    }
    return line + "\n";
}

std::string AsText(const HandScore& score, const HandOptions& o) {
    std::string out = ScoreText(score);
    if (const std::string line = ThreePlayerLine(score, o); !line.empty()) {
        // Below the report, above the settlement, as the hand is paid.
        const std::size_t afterReport = out.find('\n', out.rfind(score.report));
        out.insert(afterReport + 1, line + "\n");
    }
    return out;
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
        Json json = HandJson(score, handInput.situation);
        if (const std::string line = ThreePlayerLine(score, options); !line.empty()) {
            const game::TsumoShares shares =
                game::TsumoSharesOf(*score.payments, game::kThreePlayers, SanmaRule(options));
            json["three_players"] = {{"rule", options.sanmaTsumo},
                                     {"tsumo_dealer", shares.dealer.Decimal()},
                                     {"tsumo_non_dealer", shares.nonDealer.Decimal()},
                                     {"line", line}};
        }
        return {JsonLine(json), ""};
    }
    return {batchLine ? AsBatchLine(score, options) : AsText(score, options), ""};
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
    for (std::size_t kind = 0; kind < o.melds.size(); ++kind) {
        for (const std::string& meld : o.melds[kind]) {
            d.melds.emplace_back(static_cast<hand::MeldKind>(kind), meld);
        }
    }
    d.dora = o.dora;
    d.ura = o.ura;
    game::SetSituation(d, o.situation);
    return d;
}

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
