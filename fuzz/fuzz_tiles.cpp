// Any tile notation: parsed, and when it reads as a hand, checked, evaluated and paid; never a
// crash, and every accepted hand has exactly 14 tiles.
#include <cstdint>
#include <string_view>

#include "engine/hand/hand_evaluator.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velmarto::hand;
    const std::string_view notation(reinterpret_cast<const char*>(data), size);
    // The last byte, when it is a digit, picks a seat and whether the win was a self-draw.
    const int flags = size > 0 ? data[size - 1] % 8 : 0;
    const HandText text{
        .tiles = notation,
        .situation = {{}, {.tsumo = (flags & 1) != 0, .seatWind = flags / 2 % kWinds}}};
    const auto input = ReadHand(text);
    const auto* hand = std::get_if<HandInput>(&input);
    if (hand == nullptr) {
        return 0;
    }
    if (hand->concealed.size() != static_cast<std::size_t>(kHandTiles)) {
        __builtin_trap();
    }
    const auto score = ScoreHand(*hand, Figures::Myriad);
    if (const auto* scored = std::get_if<HandScore>(&score); scored && scored->report.empty()) {
        __builtin_trap();
    }
    return 0;
}
