// Parsing is two steps: collect what was given, then check it as a whole, so the error names the
// argument a user has to change.
#include "cli/cli_options.h"

#include <array>
#include <charconv>
#include <optional>
#include <vector>

namespace velmarto::cli {
namespace {

constexpr std::string_view kUsage = " (see velmarto-score --help)";

// What the command line said, before any of it is checked.
struct Given {
    bool dealer = false;
    bool nonDealer = false;
    bool table = false;
    bool help = false;
    bool version = false;
    bool plain = false;
    std::optional<std::string_view> hanRange;
    std::optional<std::string_view> format;
    std::optional<std::string_view> encoding;
    std::vector<std::string_view> positional;
};

struct FlagSpec {
    std::string_view name;
    bool Given::*flag;
};
constexpr std::array kFlags = {
    FlagSpec{"--dealer", &Given::dealer},   FlagSpec{"--non-dealer", &Given::nonDealer},
    FlagSpec{"--table", &Given::table},     FlagSpec{"--help", &Given::help},
    FlagSpec{"--version", &Given::version}, FlagSpec{"--plain", &Given::plain},
};

struct ValueSpec {
    std::string_view name;
    std::optional<std::string_view> Given::*value;
};
constexpr std::array kValueOptions = {
    ValueSpec{"--han", &Given::hanRange},
    ValueSpec{"--format", &Given::format},
    ValueSpec{"--encoding", &Given::encoding},
};

template <typename T>
struct Named {
    std::string_view name;
    T value;
};
constexpr std::array kFormats = {Named<TableFormat>{"tsv", TableFormat::Tsv},
                                 Named<TableFormat>{"csv", TableFormat::Csv},
                                 Named<TableFormat>{"markdown", TableFormat::Markdown}};
constexpr std::array kEncodings = {Named<Encoding>{"utf-8", Encoding::Utf8},
                                   Named<Encoding>{"cp932", Encoding::Cp932}};

UsageError Error(std::string message) {
    return UsageError{"velmarto-score: " + message};
}

std::string Quoted(std::string_view text) {
    std::string quoted(1, '\'');
    quoted.append(text).push_back('\'');
    return quoted;
}

template <typename T, std::size_t N>
std::optional<T> Lookup(const std::array<Named<T>, N>& table, std::string_view name) {
    for (const auto& entry : table) {
        if (entry.name == name) {
            return entry.value;
        }
    }
    return std::nullopt;
}

// Plain decimal digits only: no sign, no spaces, nothing that overflows.
std::optional<int> ParseNumber(std::string_view text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || text.front() == '-' || ec != std::errc() || ptr != end) {
        return std::nullopt;
    }
    return value;
}

std::optional<int> ParseHan(std::string_view text, int min) {
    const std::optional<int> han = ParseNumber(text);
    if (!han || *han < min || *han > kMaxHan) {
        return std::nullopt;
    }
    return han;
}

// Returns an error, or nothing once the argument has been recorded.
std::optional<UsageError> Collect(std::span<const std::string_view> args, Given& given) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (!arg.starts_with("--")) {
            given.positional.push_back(arg);
            continue;
        }
        const std::size_t eq = arg.find('=');
        const std::string_view name = arg.substr(0, eq);
        bool known = false;
        for (const FlagSpec& entry : kFlags) {
            if (entry.name == name) {
                if (eq != std::string_view::npos) {
                    return Error(std::string(name) + " takes no value" + std::string(kUsage));
                }
                given.*entry.flag = known = true;
            }
        }
        for (const ValueSpec& entry : kValueOptions) {
            if (entry.name == name) {
                known = true;
                if (eq != std::string_view::npos) {
                    given.*entry.value = arg.substr(eq + 1);
                } else if (i + 1 < args.size()) {
                    given.*entry.value = args[++i];
                } else {
                    return Error(std::string(name) + " needs a value" + std::string(kUsage));
                }
            }
        }
        if (!known) {
            return Error("unknown option " + Quoted(arg) + std::string(kUsage));
        }
    }
    return std::nullopt;
}

std::variant<Seat, UsageError> CheckSeat(const Given& given) {
    if (given.dealer && given.nonDealer) {
        return Error("choose one of --dealer and --non-dealer");
    }
    return given.nonDealer ? Seat::NonDealer : Seat::Dealer;
}

std::variant<Options, UsageError> CheckHand(const Given& given, Options options, Seat seat) {
    const std::array<std::pair<std::string_view, bool>, 3> tableOnly = {{
        {"--han", given.hanRange.has_value()},
        {"--format", given.format.has_value()},
        {"--plain", given.plain},
    }};
    for (const auto& [option, used] : tableOnly) {
        if (used) {
            return Error(std::string(option) + " only applies with --table");
        }
    }
    if (given.positional.size() < 2) {
        return Error(std::string(given.positional.empty() ? "missing HAN and FU" : "missing FU") +
                     " (usage: velmarto-score [--dealer | --non-dealer] HAN FU)");
    }
    if (given.positional.size() > 2) {
        return Error("unexpected argument " + Quoted(given.positional[2]) + std::string(kUsage));
    }
    const std::optional<int> han = ParseHan(given.positional[0], 0);
    if (!han) {
        return Error("HAN must be a whole number from 0 to 119, not " +
                     Quoted(given.positional[0]));
    }
    const std::optional<int> fu = ParseNumber(given.positional[1]);
    if (!fu || !FuIndexOf(*fu)) {
        return Error("FU must be 20, 25, or a multiple of 10 from 30 to 200, not " +
                     Quoted(given.positional[1]));
    }
    options.request = HandRequest{*han, *fu, seat};
    return options;
}

std::variant<Options, UsageError> CheckTable(const Given& given, Options options, Seat seat) {
    if (!given.positional.empty()) {
        return Error("unexpected argument " + Quoted(given.positional[0]) + " with --table");
    }
    TableRequest table{.seat = seat, .plain = given.plain};
    if (given.hanRange) {
        const std::string_view range = *given.hanRange;
        const std::size_t dash = range.find('-');
        // A table starts at 1 han, so 0 stands for a bound that is missing or wrong.
        const int from = ParseHan(range.substr(0, dash), 1).value_or(0);
        const int to =
            dash == std::string_view::npos ? 0 : ParseHan(range.substr(dash + 1), 1).value_or(0);
        if (from == 0 || to == 0 || from > to) {
            return Error("--han must be FROM-TO with 1 <= FROM <= TO <= 119, not " + Quoted(range));
        }
        table.fromHan = from;
        table.toHan = to;
    }
    if (given.format) {
        const std::optional<TableFormat> format = Lookup(kFormats, *given.format);
        if (!format) {
            return Error("--format must be tsv, csv or markdown, not " + Quoted(*given.format));
        }
        table.format = *format;
    }
    options.request = table;
    return options;
}

}  // namespace

std::variant<Options, UsageError> ParseOptions(std::span<const std::string_view> args) {
    Given given;
    if (std::optional<UsageError> error = Collect(args, given)) {
        return *error;
    }
    Options options;
    if (given.help || given.version) {
        options.request = given.help ? decltype(options.request){HelpRequest{}} : VersionRequest{};
        return options;
    }
    if (given.encoding) {
        const std::optional<Encoding> encoding = Lookup(kEncodings, *given.encoding);
        if (!encoding) {
            return Error("--encoding must be utf-8 or cp932, not " + Quoted(*given.encoding));
        }
        options.encoding = *encoding;
    }
    const std::variant<Seat, UsageError> seat = CheckSeat(given);
    if (const UsageError* error = std::get_if<UsageError>(&seat)) {
        return *error;
    }
    const Seat chosen = std::get<Seat>(seat);
    return given.table ? CheckTable(given, options, chosen) : CheckHand(given, options, chosen);
}

}  // namespace velmarto::cli
