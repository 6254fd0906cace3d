// The situation of a win in two parts: what the player declares about the hand (riichi, a win
// on the last tile …), and the table it was won at (seat, round, honba, sticks, self-draw),
// which a game supplies itself.
#pragma once

#include <array>
#include <string_view>

namespace velmarto::hand {

struct Declared {
    bool riichi = false;
    bool doubleRiichi = false;
    bool ippatsu = false;
    bool rinshan = false;
    bool chankan = false;
    bool haitei = false;
    bool houtei = false;
    bool tenhou = false;
    bool chiihou = false;
    bool operator==(const Declared&) const = default;
};

struct TableContext {
    bool tsumo = false;
    int roundWind = 0;
    int seatWind = 0;  // 0 is East, the dealer's seat
    int honba = 0;
    int sticks = 0;
    int kita = 0;  // 北 set aside at a three-player table, each a dora

    bool Dealer() const { return seatWind == 0; }
};

struct Situation : Declared, TableContext {};

// The two moments a window or the page asks with one box each, the last tile and the first draw:
// which yaku each makes follows from the way of the win and the seat.
struct Moments {
    bool lastTile = false;   // 海底摸月 on a tsumo, 河底撈魚 on a ron
    bool firstDraw = false;  // 天和 for the dealer (East), 地和 for the others
};

// Adds to `situation` the haitei, houtei, tenhou or chiihou that `moments` make with its tsumo
// and its seat; a flag already declared stays.
void DeclareMoments(Situation& situation, Moments moments);

// Each declared flag once, with every name a front end gives it: the exchange format's key, the
// command line's option, the label on screen and the option's help.
struct DeclaredFlag {
    bool Declared::*flag;
    std::string_view key;
    std::string_view option;
    std::string_view label;
    std::string_view help;
};
inline constexpr std::array kDeclaredFlags = {
    DeclaredFlag{&Declared::riichi, "riichi", "--riichi", "立直", "riichi declared"},
    DeclaredFlag{&Declared::doubleRiichi, "double_riichi", "--double-riichi", "ダブル立直",
                 "riichi declared on the first turn"},
    DeclaredFlag{&Declared::ippatsu, "ippatsu", "--ippatsu", "一発",
                 "won within one turn of riichi"},
    DeclaredFlag{&Declared::rinshan, "rinshan", "--rinshan", "嶺上開花",
                 "won on the replacement tile of a quad"},
    DeclaredFlag{&Declared::chankan, "chankan", "--chankan", "槍槓", "won by robbing a quad"},
    DeclaredFlag{&Declared::haitei, "haitei", "--haitei", "海底摸月", "won on the last draw"},
    DeclaredFlag{&Declared::houtei, "houtei", "--houtei", "河底撈魚", "won on the last discard"},
    DeclaredFlag{&Declared::tenhou, "tenhou", "--tenhou", "天和",
                 "the dealer's win on the first draw"},
    DeclaredFlag{&Declared::chiihou, "chiihou", "--chiihou", "地和",
                 "a non-dealer's win on the first draw"},
};

}  // namespace velmarto::hand
