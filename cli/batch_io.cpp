#include "cli/batch_io.h"

#include <array>

#include "cli/hand_options.h"

namespace velmarto::cli {
namespace {

// Large enough that a block costs one system call among hundreds of hands, small enough to stay
// in the cache while it fills.
constexpr std::size_t kBlock = std::size_t{1} << 16;

}  // namespace

void ForEachLine(std::istream& input, const LineVisitor& visit) {
    std::array<char, kBlock> block{};
    std::string pending;
    int number = 0;
    for (bool more = true; more;) {
        input.read(block.data(), block.size());
        more = static_cast<bool>(input);
        pending.append(block.data(), static_cast<std::size_t>(input.gcount()));
        std::size_t start = 0;
        for (std::size_t end; (end = pending.find('\n', start)) != std::string::npos;
             start = end + 1) {
            if (!visit(std::string_view(pending).substr(start, end - start), ++number)) {
                return;
            }
        }
        pending.erase(0, start);
    }
    if (!pending.empty()) {
        visit(pending, ++number);
    }
}

void AppendLineError(CliResult& result, int number, const std::string& error, bool json) {
    result.exitCode = kExitUsage;
    const std::string message = "line " + std::to_string(number) + ": " + error;
    result.out += json ? JsonLine(Json{{"error", message}}) : "error\t" + message + "\n";
}

bool DrainFullBlock(std::string& out, const Drain& drain) {
    if (!drain || out.size() < kBlock) {
        return true;
    }
    const bool written = drain(out);
    out.clear();
    return written;
}

}  // namespace velmarto::cli
