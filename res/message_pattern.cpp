#include "res/message_pattern.h"

#include <algorithm>

namespace velmarto::res {
namespace {

std::string PlayerName(const std::string& seat, const std::vector<std::string>& names) {
    const std::size_t index = seat.empty() ? names.size() : std::stoul(seat);
    return index < names.size() ? names[index] : seat;
}

std::string Fill(std::string_view pattern, const std::vector<std::string>& args,
                 const std::vector<std::string>& names) {
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const bool player = pattern.substr(i, 2) == "{P";
        const std::size_t digit = i + (player ? 2 : 1);
        const bool placeholder = pattern[i] == '{' && digit + 1 < pattern.size() &&
                                 pattern[digit] >= '1' && pattern[digit] <= '9' &&
                                 pattern[digit + 1] == '}';
        if (!placeholder) {
            out += pattern[i];
            continue;
        }
        const auto arg = static_cast<std::size_t>(pattern[digit] - '1');
        const std::string value = arg < args.size() ? args[arg] : std::string();
        out += player ? PlayerName(value, names) : value;
        i = digit + 1;
    }
    return out;
}

}  // namespace

std::string DescribeWith(std::span<const MessagePattern> table, const game::GameError& error,
                         const std::vector<std::string>& names) {
    const auto message = std::find_if(
        table.begin(), table.end(), [&](const MessagePattern& m) { return m.code == error.code; });
    std::string out = Fill(message->words, error.args, names);
    if (error.cause) {
        out += ": " + DescribeWith(table, *error.cause, names);
    }
    return out;
}

}  // namespace velmarto::res
