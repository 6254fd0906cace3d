// Dispatch of a parsed command line. A score line or table is built whole, so an error never
// leaves half a table behind; only a batch, whose bad lines are answered in its output, goes out in
// blocks.
#include "cli/score_cli.h"

#include <array>
#include <sstream>
#include <stdexcept>

#include "cli/cli_options.h"
#include "cli/game_command.h"
#include "cli/hand_command.h"
#include "cli/score_table.h"
#include "cli/waits_command.h"
#include "engine/cp932.h"

namespace velmarto::cli {
namespace {

// The commands named by a first word; anything else is the score line or table.
struct Command {
    std::string_view name;
    CliResult (*run)(std::span<const std::string_view>, std::istream&, const Drain&);
};
constexpr std::array kCommands = {
    Command{"hand", RunHandCommand}, Command{"waits", RunWaitsCommand},
    Command{"game", [](std::span<const std::string_view> args, std::istream& input, const Drain&) {
                return RunGameCommand(args, input);
            }}};
constexpr std::string_view kVersion = "velmarto-score 0.1.0.1\n";
constexpr std::string_view kHelp =
    R"(Usage: velmarto-score [--dealer | --non-dealer] HAN FU
       velmarto-score --table [--dealer | --non-dealer] [--han FROM-TO]
                      [--format tsv|csv|markdown] [--plain]
       velmarto-score hand [OPTIONS] TILES      (velmarto-score hand --help)
       velmarto-score waits [OPTIONS] TILES     (velmarto-score waits --help)
       velmarto-score game SUBCOMMAND ...       (velmarto-score game --help)

Exact mahjong hand scores under the no-limit rule, rounded up to 100 and written
with myriad units (万, 億, 兆 ...), exactly as the velmarto window shows them.

  HAN                 0 to 119 (0 gives the penalty for a win without yaku)
  FU                  20, 25, 30, 40, 50 ... 200
  --dealer            the winner is the dealer (default)
  --non-dealer        the winner is not the dealer
  --table             print a score table: one row per han and fu
  --han FROM-TO       han range of the table, within 1-119 (default 1-119)
  --format FORMAT     table format: tsv (default), csv or markdown
  --plain             plain digits instead of myriad units in the table
  --encoding ENC      output encoding: utf-8 (default) or cp932
  --help              show this help
  --version           show the version

  hand TILES          count a winning hand's yaku and fu from its tiles, e.g.
                      123m456p789s11z55s; called sets, the situation, dora
                      and --batch/--json are listed by velmarto-score hand --help
  waits TILES         the waits of 13 tiles and what each pays on a ron and a
                      tsumo, or the shanten and useful tiles; with 14 tiles,
                      what each discard leaves (velmarto-score waits --help)
  game SUBCOMMAND     keep a whole game, four or three players, exactly: new,
                      ron, tsumo, riichi, draw, abort, chombo, undo, show, list,
                      export, import (velmarto-score game --help)

Examples:
  velmarto-score 1 30                 点数＝1500点　子の支払い 500点オール
  velmarto-score --non-dealer 13 30   点数＝393万2200点　親の支払い 196万6100点／子の支払い 98万3100点
  velmarto-score --table --non-dealer --han 1-13 --format csv
  velmarto-score hand 234567m234p6799s8s --tsumo --riichi --dora 1m --seat S
  velmarto-score waits 1112345678999m --riichi

Exit status: 0 on success, 2 for a bad command line, 1 when the output cannot be written.
)";

std::string ReportLine(const HandRequest& request) {
    // The window's selectors split han into tens and units; 0 han is the no-yaku reading.
    const ScoreSelection selection{request.han / 10, request.han % 10, *FuIndexOf(request.fu),
                                   request.seat == Seat::Dealer ? 1 : 0};
    DigitRegister a{}, b{}, c{};
    return ComposeScoreReport(selection, a, b, c, kUnitNames) + "\n";
}

struct Render {
    std::string operator()(const HandRequest& request) const { return ReportLine(request); }
    std::string operator()(const TableRequest& request) const { return FormatScoreTable(request); }
    std::string operator()(HelpRequest) const { return std::string(kHelp); }
    std::string operator()(VersionRequest) const { return std::string(kVersion); }
};

}  // namespace

CliResult RunScoreCli(std::span<const std::string_view> args, std::istream& input,
                      const Drain& drain) {
    for (const auto& [name, run] : kCommands) {
        if (!args.empty() && args.front() == name) {
            return run(args.subspan(1), input, drain);
        }
    }
    const auto parsed = ParseOptions(args);
    if (const UsageError* error = std::get_if<UsageError>(&parsed)) {
        return CliResult{kExitUsage, "", error->message + "\n"};
    }
    const Options& options = std::get<Options>(parsed);
    std::string text = std::visit(Render{}, options.request);
    if (options.encoding == Encoding::Cp932) {
        text = ToCp932(text);
    }
    return CliResult{0, std::move(text), ""};
}

CliResult RunScoreCli(std::span<const std::string_view> args) {
    std::istringstream nothing;
    return RunScoreCli(args, nothing);
}

}  // namespace velmarto::cli
