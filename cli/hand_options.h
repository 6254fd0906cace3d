// What the commands that read a hand share: their options, described once for CLI11, how a
// parsed command line becomes the engine's HandText, and the JSON object of a scored hand.
#pragma once

#include <array>
#include <memory>
#include <nlohmann/json.hpp>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/hand/hand_evaluator.h"

namespace CLI {
class App;
}

namespace velmarto::cli {

using Json = nlohmann::ordered_json;

// Everything one hand's command line says.
struct HandOptions {
    std::string tiles;
    std::string win;
    std::array<std::vector<std::string>, 4> melds;  // in MeldKind order
    std::string dora;
    std::string ura;
    std::string discards;
    std::string round = "E";
    std::string seat = "E";
    hand::Situation situation;
    bool noDoubleYakuman = false;
    bool noOpenTanyao = false;
    bool json = false;
    bool plain = false;
    bool batch = false;
    std::string encoding = "utf-8";
};

// What sets one hand command apart from another.
struct HandCommandShape {
    std::string_view program;  // "velmarto-score hand"
    std::string_view description;
    std::string_view tilesHelp;
    std::string_view footer;
    bool winningTile;  // --win and --tsumo; without them, --discards
};

// One hand's options, or an error message, or the help text.
struct Parsed {
    HandOptions options;
    std::string error;
    std::string help;
};

// The options described once, and parsed as often as there are hands in a batch.
class HandParser {
public:
    HandParser(const HandCommandShape& shape, bool allowBatch);
    ~HandParser();
    HandParser(const HandParser&) = delete;
    HandParser& operator=(const HandParser&) = delete;

    Parsed Parse(std::span<const std::string_view> args);

private:
    std::unique_ptr<CLI::App> m_app;
    HandOptions m_options;
};

hand::HandText ToHandText(const HandOptions& options);

// What `hand` prints for one scored hand: the yaku lines, the totals and the report.
std::string ScoreText(const hand::HandScore& score);

// The object `hand --json` prints for one scored hand.
Json HandJson(const hand::HandScore& score, const hand::Situation& situation);

// One JSON line. What a user typed may not be UTF-8; it is shown with replacement characters.
std::string JsonLine(const Json& json);

}  // namespace velmarto::cli
