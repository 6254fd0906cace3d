// Each check names what is wrong as an error code with its arguments; the words are the front
// ends'.
#include "engine/game/checks.h"

#include <algorithm>
#include <array>

#include "engine/hand/fu.h"
#include "engine/score_report.h"

namespace velmarto::game {
namespace {

constexpr std::string_view kSeatLetters = "ESWN";

std::string Seat(PlayerIndex player) {
    return std::to_string(player);
}

// UTF-8 characters: every byte but a continuation byte starts one.
int Characters(std::string_view text) {
    return static_cast<int>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

bool HasControl(std::string_view text) {
    constexpr unsigned char kSpace = 0x20;
    constexpr unsigned char kDelete = 0x7F;
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < kSpace || byte == kDelete;
    });
}

struct LiableYaku {
    hand::YakuId id;
    std::string_view name;
    bool (*fedBy)(const hand::Meld&);
};
bool CalledDragonSet(const hand::Meld& m) {
    return m.Called() && m.kind != hand::MeldKind::Chi && hand::IsDragon(m.first());
}
bool CalledWindSet(const hand::Meld& m) {
    return m.Called() && m.kind != hand::MeldKind::Chi && hand::IsWind(m.first());
}
bool OpenQuad(const hand::Meld& m) {
    return m.kind == hand::MeldKind::Kan;
}
constexpr std::array kLiableYaku = {
    LiableYaku{hand::YakuId::Daisangen, "大三元", CalledDragonSet},
    LiableYaku{hand::YakuId::Daisuushii, "大四喜", CalledWindSet},
    LiableYaku{hand::YakuId::Suukantsu, "四槓子", OpenQuad},
};

}  // namespace

std::optional<GameError> CheckSeated(const Standings& s, PlayerIndex player) {
    if (player >= 0 && player < static_cast<PlayerIndex>(s.points.size())) {
        return std::nullopt;
    }
    return Refuse(ErrorCode::NotSeated, {Seat(player)});
}

std::optional<GameError> CheckName(const Rules& rules, std::string_view name,
                                   const std::vector<std::string>& others) {
    const std::string owned(name);
    if (name.empty()) {
        return Refuse(ErrorCode::NameEmpty);
    }
    if (!rules.Legacy() && HasControl(name)) {
        return Refuse(ErrorCode::NameControl, {owned});
    }
    if (!rules.Legacy() && Characters(name) > kMaxNameCharacters) {
        return Refuse(ErrorCode::NameTooLong, {owned, std::to_string(kMaxNameCharacters)});
    }
    // A seat letter names the seat, so it cannot be anyone's name.
    const bool seatLetter = name.size() == 1 && kSeatLetters.find(name[0]) != std::string::npos;
    if (seatLetter || std::find(others.begin(), others.end(), name) != others.end()) {
        return Refuse(ErrorCode::NameTaken, {owned});
    }
    return std::nullopt;
}

std::optional<GameError> CheckRiichi(const Rules& rules, const Standings& s, PlayerIndex player) {
    if (auto error = CheckSeated(s, player)) {
        return error;
    }
    const auto p = static_cast<std::size_t>(player);
    if (rules.Legacy()) {
        return std::nullopt;
    }
    if (s.declared[p]) {
        return Refuse(ErrorCode::RiichiTwice, {Seat(player)});
    }
    if (rules.endBelowZero && (s.points[p] - Points(rules.stick)).IsNegative()) {
        return Refuse(ErrorCode::RiichiBelowZero, {Seat(player)});
    }
    return std::nullopt;
}

std::optional<GameError> CheckHanFu(const Rules& rules, const HanFu& hanFu, bool tsumo) {
    const std::vector<std::string> args = {std::to_string(hanFu.han), std::to_string(hanFu.fu)};
    if (hanFu.han < 1 || hanFu.han > kMaxHanFu || !FuIndexOf(hanFu.fu)) {
        return Refuse(ErrorCode::NoSuchHanFu, args);
    }
    if (!rules.Legacy() && !hand::IsPossibleHanFu(hanFu.han, hanFu.fu, tsumo)) {
        return Refuse(ErrorCode::ImpossibleHanFu, args);
    }
    return std::nullopt;
}

std::optional<GameError> CheckDeclared(const Rules& rules, const hand::Declared& claimed,
                                       bool declared, PlayerIndex player) {
    if (declared || rules.Legacy()) {
        return std::nullopt;
    }
    for (const hand::DeclaredFlag& flag : hand::kDeclaredFlags) {
        const bool needsDeclaration = flag.flag == &hand::Declared::riichi ||
                                      flag.flag == &hand::Declared::doubleRiichi ||
                                      flag.flag == &hand::Declared::ippatsu;
        if (needsDeclaration && claimed.*flag.flag) {
            return Refuse(ErrorCode::RiichiNotDeclared, {Seat(player), std::string(flag.label)});
        }
    }
    return std::nullopt;
}

std::optional<GameError> CheckLiablePlayer(const Rules& rules, const Standings& s, const Win& win,
                                           std::optional<PlayerIndex> discarder) {
    if (!win.liable) {
        return std::nullopt;
    }
    if (auto error = CheckSeated(s, *win.liable)) {
        return error;
    }
    if (*win.liable == win.winner) {
        return Refuse(ErrorCode::LiableSelf, {Seat(*win.liable)});
    }
    if (!rules.Legacy() && discarder && *win.liable == *discarder) {
        return Refuse(ErrorCode::LiableDiscarder, {Seat(*win.liable)});
    }
    return std::nullopt;
}

std::optional<GameError> CheckLiableHanFu(const Rules& rules, const HanFu& hanFu) {
    if (!rules.Legacy() && hanFu.han < kLiableHan) {
        return Refuse(ErrorCode::LiableNotYakuman, {std::to_string(hanFu.han)});
    }
    return std::nullopt;
}

std::optional<GameError> CheckLiableHand(const Rules& rules, const hand::HandInput& hand,
                                         const hand::HandResult& result) {
    std::optional<GameError> error = Refuse(ErrorCode::LiableYaku);
    for (const hand::ScoredYaku& yaku : result.yaku.View()) {
        const auto* liable = std::find_if(kLiableYaku.begin(), kLiableYaku.end(),
                                          [&](const LiableYaku& row) { return row.id == yaku.id; });
        if (liable == kLiableYaku.end()) {
            continue;
        }
        if (rules.Legacy() || std::any_of(hand.melds.begin(), hand.melds.end(), liable->fedBy)) {
            return std::nullopt;
        }
        error = Refuse(ErrorCode::LiableNotCalled, {std::string(liable->name)});
    }
    return error;
}

}  // namespace velmarto::game
