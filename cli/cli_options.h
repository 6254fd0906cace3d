// Command line of velmarto-score: one hand, or a score table.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "engine/score_report.h"

namespace velmarto::cli {

enum class TableFormat { Tsv, Csv, Markdown };
enum class Encoding { Utf8, Cp932 };

struct HandRequest {
    int han = 0;
    int fu = 0;
    Seat seat = Seat::Dealer;
};

struct TableRequest {
    Seat seat = Seat::Dealer;
    int fromHan = 1;
    int toHan = kMaxHan;
    TableFormat format = TableFormat::Tsv;
    bool plain = false;
};

struct HelpRequest {};
struct VersionRequest {};

struct Options {
    std::variant<HandRequest, TableRequest, HelpRequest, VersionRequest> request;
    Encoding encoding = Encoding::Utf8;
};

// A one-line explanation of what was wrong with the command line.
struct UsageError {
    std::string message;
};

// Parses the arguments after the program name.
std::variant<Options, UsageError> ParseOptions(std::span<const std::string_view> args);

}  // namespace velmarto::cli
