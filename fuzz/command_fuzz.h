// One fuzz input as a velmarto-score command: arguments, then a batch on standard input.
#pragma once

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/score_cli.h"

namespace velmarto::fuzz {

// Runs `command` on the input and traps unless its contract holds. Before the first newline:
// NUL-separated arguments after the command; after it: the batch input.
inline void RunCommand(std::string_view command, const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t newline = std::min(input.find('\n'), input.size());
    const std::string_view argText = input.substr(0, newline);
    std::istringstream batch(std::string(input.substr(std::min(newline + 1, input.size()))));
    std::vector<std::string_view> args = {command};
    for (std::size_t start = 0; start <= argText.size();) {
        const std::size_t end = std::min(argText.find('\0', start), argText.size());
        args.push_back(argText.substr(start, end - start));
        start = end + 1;
    }
    const cli::CliResult result = cli::RunScoreCli(args, batch);
    // Output or an error, never both: a batch (--batch in any form CLI11 takes) reports its bad
    // lines in the output and fails; anything else fails with one line on stderr. Success says
    // nothing on stderr.
    const bool oneOfThem = result.out.empty() || result.err.empty();
    const bool said =
        result.exitCode == 0 ? result.err.empty() : !(result.out.empty() && result.err.empty());
    const bool ok = oneOfThem && said && (result.err.empty() || result.err.ends_with("\n"));
    if (!ok) {
        __builtin_trap();
    }
}

}  // namespace velmarto::fuzz
