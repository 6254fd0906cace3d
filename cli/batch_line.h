// A batch line of `hand` read without the general option parser: the common lines, spelt the
// plain way, are read here in one pass; anything else is left to the full parser, which words
// its errors and reads every other spelling.
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "engine/game/rules.h"
#include "engine/hand/hand_input.h"

namespace velmarto::cli {

// Splits at the white space a stream's >> skips (space, \t, \n, \v, \f, \r); the words point into
// `line`. `words` is cleared first and keeps its capacity from line to line.
void SplitLine(std::string_view line, std::vector<std::string_view>& words);

struct BatchLine {
    hand::HandText text;
    game::SanmaTsumo sanma = game::SanmaTsumo::Loss;
    bool json = false;
    bool plain = false;
};

// Reads `words` into `line` (its views point into the words) when every word is a known option
// spelt `--name value`, each option given once (called sets as often as there are), winds and
// counts valid, and one TILES. False otherwise: the full parser decides.
bool ReadBatchLine(std::span<const std::string_view> words, BatchLine& line);

}  // namespace velmarto::cli
