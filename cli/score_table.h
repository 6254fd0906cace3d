// A no-limit score table: one row per han and fu, one column per payment.
#pragma once

#include <string>

#include "cli/cli_options.h"

namespace velmarto::cli {

// The whole table as UTF-8 text, header row first.
std::string FormatScoreTable(const TableRequest& request);

}  // namespace velmarto::cli
