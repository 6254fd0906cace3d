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

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

namespace {

// A short write fails inside fwrite and leaves fflush nothing to report, so both are checked.
bool WriteAll(const std::string& text, std::FILE* stream) {
    const bool written = std::fwrite(text.data(), 1, text.size(), stream) == text.size();
    return std::fflush(stream) == 0 && written && std::ferror(stream) == 0;
}

int Run(const std::vector<std::string_view>& args) {
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
                std::fprintf(stderr,
                             "velmarto-score: game: recorded; could not print the standings: %s\n",
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

#ifdef _WIN32
std::string Utf8(std::wstring_view wide) {
    const int length = static_cast<int>(wide.size());
    std::string text(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, wide.data(), length,
                                                                  nullptr, 0, nullptr, nullptr)),
                     '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, text.data(), static_cast<int>(text.size()),
                        nullptr, nullptr);
    return text;
}
#endif

}  // namespace

#ifdef _WIN32
// The wide entry point (-municode): the narrow argv is in the ANSI code page, which cannot hold
// every name, where everything inside reads UTF-8, as on Linux.
int wmain(int argc, wchar_t** argv) {
    // The same bytes on every system: no "\r" added before each "\n".
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    std::vector<std::string> utf8;
    for (int i = 1; i < argc; ++i) {
        utf8.push_back(Utf8(argv[i]));
    }
    return Run(std::vector<std::string_view>(utf8.begin(), utf8.end()));
}
#else
int main(int argc, char** argv) {
    return Run(std::vector<std::string_view>(argv + (argc > 0 ? 1 : 0), argv + argc));
}
#endif
