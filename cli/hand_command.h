// velmarto-score hand: a winning hand's tiles in, its yaku, fu and exact payments out.
#pragma once

#include <istream>
#include <span>
#include <string_view>

#include "cli/score_cli.h"

namespace velmarto::cli {

// Runs `hand` on the arguments after the word "hand"; `--batch` reads its hands from `input`.
CliResult RunHandCommand(std::span<const std::string_view> args, std::istream& input);

}  // namespace velmarto::cli
