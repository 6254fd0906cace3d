// The options are CLI11's, described here once for every command that reads a hand; the JSON of
// a scored hand is written here once, so `waits` prints exactly what `hand` prints.
#include "cli/hand_options.h"

#include <CLI/CLI.hpp>

#include "engine/hand/hand_payments.h"
#include "engine/hand/hand_summary.h"

namespace velmarto::cli {
namespace {

constexpr std::array<std::string_view, hand::kWinds> kWindLetters = {"E", "S", "W", "N"};
constexpr std::string_view kWindHelp = "E, S, W or N";

constexpr std::array<std::string_view, 4> kMeldOptions = {"--chi", "--pon", "--kan", "--ankan"};
constexpr std::array<std::string_view, 4> kMeldHelp = {
    "a called run, e.g. 123m (repeatable)", "a called triplet, e.g. 555z (repeatable)",
    "an open quad, e.g. 1111m (repeatable)", "a closed quad, e.g. 2222p (repeatable)"};

struct SituationFlag {
    std::string_view name;
    bool hand::Situation::*flag;
    std::string_view help;
};
constexpr std::string_view kTsumo = "--tsumo";
constexpr std::array kSituationFlags = {
    SituationFlag{kTsumo, &hand::Situation::tsumo, "won on a self-draw (default: on a discard)"},
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

void Describe(CLI::App& app, HandOptions& o, const HandCommandShape& shape) {
    app.allow_windows_style_options(false);
    app.footer(std::string(shape.footer));
    app.add_option("TILES", o.tiles, std::string(shape.tilesHelp));
    if (shape.winningTile) {
        app.add_option("--win", o.win, "the winning tile, when it is not the last one written");
    }
    for (std::size_t i = 0; i < kMeldOptions.size(); ++i) {
        // One set per use, so a set never swallows the tiles after it.
        app.add_option(std::string(kMeldOptions[i]), o.melds[i], std::string(kMeldHelp[i]))
            ->allow_extra_args(false);
    }
    for (const SituationFlag& flag : kSituationFlags) {
        if (shape.winningTile || flag.name != kTsumo) {
            app.add_flag(std::string(flag.name), o.situation.*flag.flag, std::string(flag.help));
        }
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
    if (!shape.winningTile) {
        app.add_option("--discards", o.discards,
                       "the player's own discards, e.g. 19m5z: a wait among them is furiten");
    }
    app.add_option("--honba", o.situation.honba, "honba counters")
        ->check(CLI::Range(0, hand::kMaxHonbaOrSticks));
    app.add_option("--sticks", o.situation.sticks, "riichi sticks on the table")
        ->check(CLI::Range(0, hand::kMaxHonbaOrSticks));
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

int WindIndex(std::string_view letter) {
    for (std::size_t i = 0; i < kWindLetters.size(); ++i) {
        if (kWindLetters[i] == letter) {
            return static_cast<int>(i);
        }
    }
    return 0;
}

Json FigureMap(const hand::HandScore& score, std::span<const hand::Figure> figures) {
    const std::span<const std::string_view> keys = hand::PaymentKeys(score.seat);
    Json map = Json::object();
    for (std::size_t i = 0; i < figures.size(); ++i) {
        map[std::string(keys[i])] = hand::DecimalString(figures[i]);
    }
    return map;
}

}  // namespace

HandParser::HandParser(const HandCommandShape& shape, bool allowBatch)
    : m_app(
          std::make_unique<CLI::App>(std::string(shape.description), std::string(shape.program))) {
    Describe(*m_app, m_options, shape);
    if (allowBatch) {
        m_app->add_flag("--batch", m_options.batch,
                        "read one hand per line from standard input, the same arguments as "
                        "after the command's name");
    }
}

HandParser::~HandParser() = default;

Parsed HandParser::Parse(std::span<const std::string_view> args) {
    // Options a line leaves out keep their defaults, not the previous line's values.
    m_options = HandOptions{};
    Parsed parsed;
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        m_app->parse(reversed);
    } catch (const CLI::CallForHelp&) {
        parsed.help = m_app->help();
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

std::string ScoreText(const hand::HandScore& score) {
    std::string out;
    for (const std::string& line : hand::SummaryLines(score.result)) {
        out += line + "\n";
    }
    out += score.report + "\n";
    if (!score.settlementLine.empty()) {
        out += score.settlementLine + "\n";
    }
    return out;
}

Json HandJson(const hand::HandScore& score, const hand::Situation& situation) {
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

std::string JsonLine(const Json& json) {
    return json.dump(-1, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace velmarto::cli
