// Entry point of velmarto-score.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/score_cli.h"

namespace {

// A short write fails inside fwrite and leaves fflush nothing to report, so both are checked.
bool WriteAll(const std::string& text, std::FILE* stream) {
    const bool written = std::fwrite(text.data(), 1, text.size(), stream) == text.size();
    return std::fflush(stream) == 0 && written && std::ferror(stream) == 0;
}

}  // namespace

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
        // A batch's output goes out block by block; the first block that cannot be written
        // stops it.
        bool lost = false;
        const auto drain = [&lost](std::string_view text) {
            lost = std::fwrite(text.data(), 1, text.size(), stdout) != text.size();
            return !lost;
        };
        const velmarto::cli::CliResult result = velmarto::cli::RunScoreCli(args, std::cin, drain);
        if (lost || !WriteAll(result.out, stdout)) {
            const int error = errno;
            if (result.recorded) {
                // A script must not record it again: say that it was.
                std::fprintf(stderr, "velmarto-score: game: recorded; could not print the standings: %s\n",
                             std::strerror(error));
                return velmarto::cli::kExitRecordedUnprinted;
            }
            std::fputs("velmarto-score: cannot write the output\n", stderr);
            return 1;
        }
        return WriteAll(result.err, stderr) ? result.exitCode : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "velmarto-score: %s\n", e.what());
        return 1;
    }
}
