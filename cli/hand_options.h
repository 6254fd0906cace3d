// The options of `hand` that both of its parsers know: the full one for a command line, and the
// quick one for the plain lines of a batch.
#pragma once

#include <array>
#include <string_view>

#include "engine/hand/hand_input.h"

namespace velmarto::cli {

constexpr std::array<std::string_view, hand::kWinds> kWindLetters = {"E", "S", "W", "N"};

// In MeldKind order.
constexpr std::array<std::string_view, 4> kMeldOptions = {"--chi", "--pon", "--kan", "--ankan"};

struct SituationFlag {
    std::string_view name;
    bool hand::Situation::*flag;
    std::string_view help;
};
constexpr std::array kSituationFlags = {
    SituationFlag{"--tsumo", &hand::Situation::tsumo, "won on a self-draw (default: on a discard)"},
    SituationFlag{"--riichi", &hand::Situation::riichi, "riichi declared"},
    SituationFlag{"--double-riichi", &hand::Situation::doubleRiichi,
                  "riichi declared on the first turn"},
    SituationFlag{"--ippatsu", &hand::Situation::ippatsu, "won within one turn of riichi"},
    SituationFlag{"--rinshan", &hand::Situation::rinshan, "won on the replacement tile of a quad"},
    SituationFlag{"--chankan", &hand::Situation::chankan, "won by robbing a quad"},
    SituationFlag{"--haitei", &hand::Situation::haitei, "won on the last draw"},
    SituationFlag{"--houtei", &hand::Situation::houtei, "won on the last discard"},
    SituationFlag{"--tenhou", &hand::Situation::tenhou, "the dealer's win on the first draw"},
    SituationFlag{"--chiihou", &hand::Situation::chiihou, "a non-dealer's win on the first draw"},
};

// --honba and --sticks take 0 to this.
constexpr int kMaxCounters = 1000000;

constexpr std::array<std::string_view, 2> kEncodings = {"utf-8", "cp932"};

// The index of a wind letter, or -1.
constexpr int WindIndex(std::string_view letter) {
    for (std::size_t i = 0; i < kWindLetters.size(); ++i) {
        if (kWindLetters[i] == letter) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace velmarto::cli
