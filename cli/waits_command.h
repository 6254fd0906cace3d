// velmarto-score waits: a hand before its win in, its waits and what each pays, its shanten and
// useful tiles, or what each discard leaves, out.
#pragma once

#include <istream>
#include <span>
#include <string_view>

#include "cli/score_cli.h"

namespace velmarto::cli {

// Runs `waits` on the arguments after the word "waits"; `--batch` reads its hands from `input`.
CliResult RunWaitsCommand(std::span<const std::string_view> args, std::istream& input,
                          const Drain& drain);

}  // namespace velmarto::cli
