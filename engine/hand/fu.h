// Fu of one reading, item by item, as a player checks them.
#pragma once

#include <array>
#include <span>
#include <string_view>

#include "engine/hand/hand_input.h"
#include "engine/hand/reading.h"

namespace velmarto::hand {

struct FuItem {
    std::string_view name;
    int fu;
};

struct FuCount {
    std::array<FuItem, 10> items{};
    int count = 0;
    int total = 0;  // rounded up to 10, except seven pairs' 25
    std::span<const FuItem> View() const { return {items.data(), static_cast<std::size_t>(count)}; }
};

// `pinfu` tells whether the reading scores 平和, which drops the self-draw fu.
FuCount CountFu(const HandInput& hand, const Reading& reading, bool pinfu);

// Whether any hand scores `han` with `fu`: 20 fu is a self-drawn 平和, 2 han with 門前清自摸和, so
// never a win on a discard nor 1 han; 25 fu is 七対子, 2 han, 3 with the self-draw.
bool IsPossibleHanFu(int han, int fu, bool tsumo);

}  // namespace velmarto::hand
