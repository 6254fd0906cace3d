// A scored hand as the JSON object `hand --json` prints, written straight into a string: a batch
// writes one per hand, and building a document tree for each cost more than scoring it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/game/rules.h"
#include "engine/hand/hand_evaluator.h"

namespace velmarto::cli {

// Appends `text` as a JSON string, quoted and escaped. `text` must be UTF-8, as every text the
// engine writes is; what a user typed goes through a JSON library that replaces bad bytes.
void AppendJsonString(std::string& out, std::string_view text);

// What a tsumo at three players adds to a hand: what each payer gives under the table's rule,
// and the line the text prints below the report.
struct ThreePlayerTsumo {
    game::SanmaTsumo rule;
    std::string dealer;     // in decimal digits
    std::string nonDealer;  // in decimal digits
    std::string line;
};

// Nothing for a ron, at four players or without payments: a ron pays the same at any table.
std::optional<ThreePlayerTsumo> ThreePlayerTsumoOf(const hand::HandScore& score, int players,
                                                   bool tsumo, game::SanmaTsumo rule,
                                                   hand::Figures style);

// Appends the hand's object, without a line end: yaku, dora, han, fu, fu_items, dealer, tsumo,
// no_yaku, payments, honba, sticks, settlement (with honba or sticks), report and three_players
// (with a three-player tsumo), in that order.
void AppendHandJson(std::string& out, const hand::HandScore& score,
                    const hand::Situation& situation,
                    const std::optional<ThreePlayerTsumo>& threePlayers);

}  // namespace velmarto::cli
