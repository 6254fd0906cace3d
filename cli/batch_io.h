// A batch's input read in blocks and its output handed on in blocks, so a batch of any length
// runs in the same small memory and its first lines come out while the rest are still scored.
#pragma once

#include <functional>
#include <istream>
#include <string>
#include <string_view>

#include "cli/score_cli.h"

namespace velmarto::cli {

// Called with each line (without its newline) and its number from 1; false stops the reading.
using LineVisitor = std::function<bool(std::string_view line, int number)>;

// Every line of `input`, a last line without a newline included.
void ForEachLine(std::istream& input, const LineVisitor& visit);

// Marks the batch failed and writes the line's error where its result would have been, so the
// output still has a line for every hand.
void AppendLineError(CliResult& result, int number, const std::string& error, bool json);

// Hands `out` to `drain` and empties it once a block is ready; false when the drain could not
// write it. With no drain the output just stays in `out`.
bool DrainFullBlock(std::string& out, const Drain& drain);

}  // namespace velmarto::cli
