// The options are CLI11's, described here once for every command that reads a hand, and the
// steps those commands share.
#include "cli/hand_options.h"

#include <CLI/CLI.hpp>

#include "engine/cp932.h"

namespace velmarto::cli {
namespace {

constexpr std::string_view kWindHelp = "E, S, W or N";

constexpr std::array<std::string_view, 4> kMeldHelp = {
    "a called run, e.g. 123m (repeatable)", "a called triplet, e.g. 555z (repeatable)",
    "an open quad, e.g. 1111m (repeatable)", "a closed quad, e.g. 2222p (repeatable)"};

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
    if (shape.winningTile) {
        app.add_flag(std::string(kTsumo), o.situation.tsumo, std::string(kTsumoHelp));
    }
    for (const hand::DeclaredFlag& flag : hand::kDeclaredFlags) {
        app.add_flag(std::string(flag.option), o.situation.*flag.flag, std::string(flag.help));
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
        ->check(CLI::Range(0, kMaxCounters));
    app.add_option("--sticks", o.situation.sticks, "riichi sticks on the table")
        ->check(CLI::Range(0, kMaxCounters));
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
        ->check(CLI::IsMember(std::vector<std::string>(kSanmaRules.begin(), kSanmaRules.end())));
    app.add_flag("--json", o.json, "one JSON object instead of text");
    app.add_flag("--plain", o.plain, "plain digits instead of myriad units");
    app.add_option("--encoding", o.encoding, "output encoding: utf-8 (default) or cp932")
        ->check(CLI::IsMember(std::vector<std::string>(kEncodings.begin(), kEncodings.end())));
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
    return o.sanmaTsumo == kSanmaRules[static_cast<std::size_t>(game::SanmaTsumo::Split)]
               ? game::SanmaTsumo::Split
               : game::SanmaTsumo::Loss;
}

std::string JsonLine(const Json& json) {
    return json.dump(-1, ' ', false, Json::error_handler_t::replace) + "\n";
}

CliResult RunHandReadingCommand(const HandCommandShape& shape, const HandCommandSteps& steps,
                                std::span<const std::string_view> args, std::istream& input,
                                const Drain& drain) {
    const Parsed parsed = HandParser(shape, true).Parse(args);
    if (!parsed.help.empty()) {
        return {0, parsed.help, ""};
    }
    // "velmarto-score hand" says its errors as "velmarto-score: hand: ...".
    std::string prefix(shape.program);
    prefix.replace(prefix.find(' '), 1, ": ");
    const auto fail = [&prefix](const std::string& message) {
        return CliResult{kExitUsage, "", prefix + ": " + message + "\n"};
    };
    if (!parsed.error.empty()) {
        return fail(parsed.error);
    }
    const HandOptions& options = parsed.options;
    if (options.batch && !options.tiles.empty()) {
        return fail("with --batch the hands come from standard input, not '" + options.tiles + "'");
    }
    const bool cp932 = options.encoding == "cp932";
    CliResult result;
    if (options.batch) {
        // A batch in code page 932 is converted whole, so a text it cannot hold fails it before
        // any line is out.
        result = steps.batch(options, input, cp932 ? Drain() : drain);
    } else if (const std::string error = steps.one(options, result.out); !error.empty()) {
        return fail(error);
    }
    if (cp932) {
        result.out = ToCp932(result.out);
    }
    return result;
}

}  // namespace velmarto::cli
