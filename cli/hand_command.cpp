// The options are CLI11's; the hand is read, checked and scored by the engine, and written here
// as text, one TSV line per hand in a batch, or JSON.
#include "cli/hand_command.h"

#include <CLI/CLI.hpp>
#include <array>
#include <nlohmann/json.hpp>
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
using Json = nlohmann::ordered_json;

constexpr std::string_view kProgram = "velmarto-score hand";
constexpr std::array<std::string_view, hand::kWinds> kWindLetters = {"E", "S", "W", "N"};
constexpr std::string_view kWindHelp = "E, S, W or N";

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
    int players = game::kMaxPlayers;
    std::string sanmaTsumo = "loss";
    bool json = false;
    bool plain = false;
    bool batch = false;
    std::string encoding = "utf-8";
};

constexpr std::array<std::string_view, 4> kMeldOptions = {"--chi", "--pon", "--kan", "--ankan"};
constexpr std::array<std::string_view, 4> kMeldHelp = {
    "a called run, e.g. 123m (repeatable)", "a called triplet, e.g. 555z (repeatable)",
    "an open quad, e.g. 1111m (repeatable)", "a closed quad, e.g. 2222p (repeatable)"};

struct SituationFlag {
    std::string_view name;
    bool hand::Situation::*flag;
    std::string_view help;
};
constexpr std::array kSituationFlags = {
    SituationFlag{"--tsumo", &hand::Situation::tsumo, "won on a self-draw (default: on a discard)"},
    SituationFlag{"--riichi", &hand::Situation::riichi, "riichi declared"},
    SituationFlag{"--double-riichi", &hand::Situation::doubleRiichi,
                  "riichi declared on the first turn"},
    SituationFlag{"--ippatsu", &hand::Situation::ippatsu, "won within one turn of riichi"},
    SituationFlag{"--rinshan", &hand::Situation::rinshan, "won on the replacement tile of a quad"},
    SituationFlag{"--chankan", &hand::Situation::chankan, "won by robbing a quad"},
    SituationFlag{"--haitei", &hand::Situation::haitei, "won on the last draw"},
    SituationFlag{"--houtei", &hand::Situation::houtei, "won on the last discard"},
    SituationFlag{"--tenhou", &hand::Situation::tenhou, "the dealer's win on the first draw"},
    SituationFlag{"--chiihou", &hand::Situation::chiihou, "a non-dealer's win on the first draw"},
};

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
    app.add_option("--honba", o.situation.honba, "honba counters")->check(CLI::Range(0, 1000000));
    app.add_option("--sticks", o.situation.sticks, "riichi sticks on the table")
        ->check(CLI::Range(0, 1000000));
    app.add_flag("--no-double-yakuman", o.noDoubleYakuman,
                 "count the double yakuman forms 13 han, not 26");
    app.add_flag("--no-open-tanyao", o.noOpenTanyao, "断幺九 only in a closed hand");
    app.add_option("--players", o.players,
                   "3 for a three-player table (no 2m-8m, no chi, no North)")
        ->check(CLI::IsMember({game::kThreePlayers, game::kMaxPlayers}));
    app.add_option("--kita", o.situation.kita, "北 set aside as dora (three players)")
        ->check(CLI::Range(0, hand::kCopies));
    app.add_option("--sanma-tsumo", o.sanmaTsumo,
                   "three players' tsumo: loss (the North share is not paid, default) or split "
                   "(the two payers split it)")
        ->check(CLI::IsMember({"loss", "split"}));
    app.add_flag("--json", o.json, "one JSON object instead of text");
    app.add_flag("--plain", o.plain, "plain digits instead of myriad units");
    app.add_option("--encoding", o.encoding, "output encoding: utf-8 (default) or cp932")
        ->check(CLI::IsMember({"utf-8", "cp932"}));
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

int WindIndex(std::string_view letter) {
    for (std::size_t i = 0; i < kWindLetters.size(); ++i) {
        if (kWindLetters[i] == letter) {
            return static_cast<int>(i);
        }
    }
    return 0;
}

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
    text.rules.players = o.players;
    return text;
}

game::SanmaTsumo SanmaRule(const HandOptions& o) {
    return o.sanmaTsumo == "split" ? game::SanmaTsumo::Split : game::SanmaTsumo::Loss;
}

// The three-player tsumo line, or nothing: a ron pays the same at any table.
std::string ThreePlayerLine(const HandScore& score, const HandOptions& o) {
    if (o.players != game::kThreePlayers || !o.situation.tsumo || !score.payments) {
        return "";
    }
    return game::ComposeThreePlayerTsumoLine(*score.payments, SanmaRule(o),
                                             o.plain ? Figures::Plain : Figures::Myriad);
}

std::string AsText(const HandScore& score, const HandOptions& o) {
    std::string out;
    for (const std::string& line : hand::SummaryLines(score.result)) {
        out += line + "\n";
    }
    out += score.report + "\n";
    if (const std::string line = ThreePlayerLine(score, o); !line.empty()) {
        out += line + "\n";
    }
    if (!score.settlementLine.empty()) {
        out += score.settlementLine + "\n";
    }
    return out;
}

// One batch line: totals, yaku, report (and the settlement), separated by tabs.
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

Json FigureMap(const HandScore& score, std::span<const hand::Figure> figures) {
    const std::span<const std::string_view> keys = hand::PaymentKeys(score.seat);
    Json map = Json::object();
    for (std::size_t i = 0; i < figures.size(); ++i) {
        map[std::string(keys[i])] = hand::DecimalString(figures[i]);
    }
    return map;
}

Json AsJson(const HandScore& score, const hand::Situation& situation) {
    const hand::HandResult& result = score.result;
    Json yaku = Json::array();
    for (const hand::ScoredYaku& y : result.yaku.View()) {
        yaku.push_back({{"name", y.name}, {"han", y.han}});
    }
    Json fuItems = Json::array();
    for (const hand::FuItem& item : result.fu.View()) {
        fuItems.push_back({{"name", item.name}, {"fu", item.fu}});
    }
    Json out = {
        {"yaku", yaku},
        {"dora", {{"dora", result.dora.dora}, {"aka", result.dora.aka}, {"ura", result.dora.ura}}},
        {"han", result.han},
        {"fu", result.fu.total},
        {"fu_items", fuItems},
        {"dealer", score.seat == Seat::Dealer},
        {"tsumo", situation.tsumo},
        {"no_yaku", result.NoYaku()},
        {"payments", score.payments ? FigureMap(score, score.payments->View()) : Json()},
        {"honba", situation.honba},
        {"sticks", situation.sticks},
    };
    if (score.settlement) {
        const std::size_t kinds = static_cast<std::size_t>(score.settlement->payerKinds);
        out["settlement"] = {{"winner_gets", hand::DecimalString(score.settlement->winnerGets)},
                             {"line", score.settlementLine}};
        Json payers = Json::array();
        for (std::size_t i = 0; i < kinds; ++i) {
            payers.push_back(hand::DecimalString(score.settlement->perPayer[i]));
        }
        out["settlement"]["payers"] = payers;
    }
    out["report"] = score.report;
    return out;
}

// One JSON line. What a user typed may not be UTF-8; it is shown with replacement characters.
std::string JsonLine(const Json& json) {
    return json.dump(-1, ' ', false, Json::error_handler_t::replace) + "\n";
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
        Json json = AsJson(score, handInput.situation);
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
    HandParser parser(false);
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
    const Parsed parsed = HandParser(false).Parse(args);
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
