// How a request from the page names a hand's called sets, and reads a text field, for both
// bindings that take the 手牌 tab's hand.
#pragma once

#include <emscripten/val.h>

#include <string>

#include "engine/hand/hand_input.h"

namespace velmarto::web {

struct MeldField {
    const char* name;
    hand::MeldKind kind;
};
inline constexpr MeldField kMeldFields[] = {{"chi", hand::MeldKind::Chi},
                                            {"pon", hand::MeldKind::Pon},
                                            {"kan", hand::MeldKind::Kan},
                                            {"ankan", hand::MeldKind::Ankan}};

// The field's text, or empty when it is not a string.
inline std::string Text(const emscripten::val& request, const char* name) {
    const emscripten::val field = request[name];
    return field.isString() ? field.as<std::string>() : std::string();
}

}  // namespace velmarto::web
