// Any command line: a usage error with no output, or output with no error; never a crash.
#include <cstdint>
#include <string_view>
#include <vector>

#include "cli/score_cli.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // NUL bytes split the input into arguments, as in argv.
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> args;
    for (std::size_t start = 0; start <= input.size();) {
        const std::size_t end = std::min(input.find('\0', start), input.size());
        args.push_back(input.substr(start, end - start));
        start = end + 1;
    }
    // fuzz_hand covers the hand command, with what a batch reads.
    if (!args.empty() && args.front() == "hand") {
        return 0;
    }
    // A full table per input would only slow the search down; ranges still reach the table code.
    for (std::string_view arg : args) {
        if (arg == "--table") {
            bool ranged = false;
            for (std::string_view other : args) {
                ranged = ranged || other.starts_with("--han");
            }
            if (!ranged) {
                return 0;
            }
        }
    }
    const velmarto::cli::CliResult result = velmarto::cli::RunScoreCli(args);
    const bool ok = result.exitCode == 0 ? !result.out.empty() && result.err.empty()
                                         : result.out.empty() && result.err.ends_with("\n");
    if (!ok) {
        __builtin_trap();
    }
    return 0;
}
