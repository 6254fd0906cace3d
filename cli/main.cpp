// Entry point of velmarto-score.
#include <cstdio>
#include <exception>
#include <string_view>
#include <vector>

#include "cli/score_cli.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
    // The same bytes on every system: no "\r" added before each "\n".
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    const std::vector<std::string_view> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    try {
        const velmarto::cli::CliResult result = velmarto::cli::RunScoreCli(args);
        std::fwrite(result.out.data(), 1, result.out.size(), stdout);
        std::fwrite(result.err.data(), 1, result.err.size(), stderr);
        if (std::fflush(stdout) != 0) {
            std::fputs("velmarto-score: cannot write the output\n", stderr);
            return 1;
        }
        return result.exitCode;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "velmarto-score: %s\n", e.what());
        return 1;
    }
}
