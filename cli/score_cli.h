// velmarto-score as a function of its arguments, so tests and the fuzzer run it in-process.
#pragma once

#include <functional>
#include <istream>
#include <span>
#include <string>
#include <string_view>

namespace velmarto::cli {

inline constexpr int kExitUsage = 2;

struct CliResult {
    int exitCode = 0;
    std::string out;
    std::string err;
    bool recorded = false;  // something was stored before `out` is written
};

// Exit status when something was stored but its output could not be written.
inline constexpr int kExitRecordedUnprinted = 5;

// Takes output that is ready while a batch still runs and says whether it was written, so that a
// long batch is never held whole. Without one, all output waits in CliResult::out.
using Drain = std::function<bool(std::string_view)>;

// Runs the tool on the arguments after the program name; a batch reads `input`. On any error of
// the command line `out` stays empty.
CliResult RunScoreCli(std::span<const std::string_view> args, std::istream& input,
                      const Drain& drain = {});
// The same with nothing on standard input.
CliResult RunScoreCli(std::span<const std::string_view> args);

}  // namespace velmarto::cli
