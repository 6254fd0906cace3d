// What the commands that read a hand share: their options, described once for CLI11 (and the
// tables a batch's quick line reader knows them by), and how a parsed command line becomes the
// engine's HandText.
#pragma once

#include <array>
#include <istream>
#include <memory>
#include <nlohmann/json.hpp>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/score_cli.h"
#include "engine/game/rules.h"
#include "engine/hand/hand_input.h"

namespace CLI {
class App;
}

namespace velmarto::cli {

using Json = nlohmann::ordered_json;

inline constexpr std::array<std::string_view, hand::kWinds> kWindLetters = {"E", "S", "W", "N"};

// In MeldKind order.
inline constexpr std::array<std::string_view, 4> kMeldOptions = {"--chi", "--pon", "--kan",
                                                                 "--ankan"};

// --tsumo is the one part of the table a hand's command line gives; the declared flags are the
// engine's hand::kDeclaredFlags.
inline constexpr std::string_view kTsumo = "--tsumo";
inline constexpr std::string_view kTsumoHelp = "won on a self-draw (default: on a discard)";

// --honba and --sticks take 0 to this.
inline constexpr int kMaxCounters = hand::kMaxHonbaOrSticks;

inline constexpr std::array<std::string_view, 2> kEncodings = {"utf-8", "cp932"};

// --sanma-tsumo's values, in SanmaTsumo order.
inline constexpr std::array<std::string_view, 2> kSanmaRules = {"loss", "split"};

// The index of a wind letter, or -1.
constexpr int WindIndex(std::string_view letter) {
    for (std::size_t i = 0; i < kWindLetters.size(); ++i) {
        if (kWindLetters[i] == letter) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

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
    int players = game::kMaxPlayers;
    std::string sanmaTsumo{kSanmaRules[0]};
    bool json = false;
    bool plain = false;
    bool batch = false;
    std::string encoding{kEncodings[0]};
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

game::SanmaTsumo SanmaRule(const HandOptions& options);

// The two ways a command that reads hands runs: a batch from standard input, or the one hand of
// its command line written into `out` (an error message when it does not read).
struct HandCommandSteps {
    CliResult (*batch)(const HandOptions& options, std::istream& input, const Drain& drain);
    std::string (*one)(const HandOptions& options, std::string& out);
};

// Help, usage errors, one hand or a batch, and the output encoding, alike for every command that
// reads hands.
CliResult RunHandReadingCommand(const HandCommandShape& shape, const HandCommandSteps& steps,
                                std::span<const std::string_view> args, std::istream& input,
                                const Drain& drain);

// One JSON line. What a user typed may not be UTF-8; it is shown with replacement characters.
std::string JsonLine(const Json& json);

}  // namespace velmarto::cli
