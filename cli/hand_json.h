// A scored hand as the JSON object `hand --json` prints, written straight into a string: a batch
// writes one per hand, and building a document tree for each cost more than scoring it.
#pragma once

#include <string>
#include <string_view>

#include "engine/hand/hand_evaluator.h"

namespace velmarto::cli {

// Appends `text` as a JSON string, quoted and escaped. `text` must be UTF-8, as every text the
// engine writes is; what a user typed goes through a JSON library that replaces bad bytes.
void AppendJsonString(std::string& out, std::string_view text);

// Appends the hand's object, without a line end: yaku, dora, han, fu, fu_items, dealer, tsumo,
// no_yaku, payments, honba, sticks, settlement (with honba or sticks) and report, in that order.
void AppendHandJson(std::string& out, const hand::HandScore& score,
                    const hand::Situation& situation);

}  // namespace velmarto::cli
