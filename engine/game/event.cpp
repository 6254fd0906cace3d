// The kinds' table read both ways, and the equality of an amend by what it puts in place.
#include "engine/game/event.h"

#include <algorithm>

namespace velmarto::game {

static_assert(kEventKinds.size() == std::variant_size_v<decltype(Event::value)>);
// InfoOf reads the table by the kind's number.
static_assert([] {
    for (std::size_t i = 0; i < kEventKinds.size(); ++i) {
        if (static_cast<std::size_t>(kEventKinds[i].kind) != i) {
            return false;
        }
    }
    return true;
}());

bool Amend::operator==(const Amend& other) const {
    return position == other.position && *replacement == *other.replacement;
}

bool Event::AtTable() const {
    const EventKind kind = Kind();
    return kind != EventKind::Undo && kind != EventKind::Amend && kind != EventKind::Rename;
}

Amend AmendOf(std::size_t position, Event replacement) {
    return {position, std::make_shared<const Event>(std::move(replacement))};
}

std::vector<PlayerIndex> ActorsOf(const Event& event) {
    if (const Ron* ron = event.As<Ron>()) {
        std::vector<PlayerIndex> winners;
        for (const Win& win : ron->wins) {
            winners.push_back(win.winner);
        }
        return winners;
    }
    if (const Tsumo* tsumo = event.As<Tsumo>()) {
        return {tsumo->win.winner};
    }
    if (const Riichi* riichi = event.As<Riichi>()) {
        return {riichi->player};
    }
    if (const FalseWin* falseWin = event.As<FalseWin>()) {
        return {falseWin->player};
    }
    if (const Draw* draw = event.As<Draw>()) {
        return draw->tenpai;
    }
    return {};
}

std::optional<PlayerIndex> DiscarderOf(const Event& event) {
    const Ron* ron = event.As<Ron>();
    return ron ? std::optional(ron->discarder) : std::nullopt;
}

const KindInfo& InfoOf(EventKind kind) {
    return kEventKinds[static_cast<std::size_t>(kind)];
}

std::optional<EventKind> KindOfKey(std::string_view key) {
    const auto* found = std::find_if(kEventKinds.begin(), kEventKinds.end(),
                                     [key](const KindInfo& info) { return info.key == key; });
    return found == kEventKinds.end() ? std::nullopt : std::optional(found->kind);
}

}  // namespace velmarto::game
