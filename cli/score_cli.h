// velmarto-score as a function of its arguments, so tests and the fuzzer run it in-process.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace velmarto::cli {

inline constexpr int kExitUsage = 2;

struct CliResult {
    int exitCode = 0;
    std::string out;
    std::string err;
};

// Runs the tool on the arguments after the program name. On any error `out` stays empty.
CliResult RunScoreCli(std::span<const std::string_view> args);

}  // namespace velmarto::cli
