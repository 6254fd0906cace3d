// velmarto-score hand: a winning hand's tiles in, its yaku, fu and exact payments out.
#pragma once

#include <istream>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "cli/score_cli.h"
#include "engine/game/event.h"

namespace velmarto::cli {

// Runs `hand` on the arguments after the word "hand"; `--batch` reads its hands from `input`.
CliResult RunHandCommand(std::span<const std::string_view> args, std::istream& input,
                         const Drain& drain);

// A winning hand for the ledger, written as `hand`'s own arguments ("234567m234p6799s8s --riichi
// --dora 1m"): the tiles, sets, indicators and situation; the game supplies the rest.
std::variant<game::HandDescription, std::string> ReadGameHand(std::string_view words);

}  // namespace velmarto::cli
