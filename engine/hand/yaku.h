// Yaku as data: one row per yaku with its name, its han closed and open, and the test that finds
// it in a reading; and the table of yakuman that contain other yaku by their definition.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "engine/hand/hand_input.h"
#include "engine/hand/reading.h"

namespace velmarto::hand {

enum class YakuId {
    Riichi,
    DoubleRiichi,
    Ippatsu,
    MenzenTsumo,
    Pinfu,
    Tanyao,
    Iipeikou,
    RoundWind,
    SeatWind,
    Haku,
    Hatsu,
    Chun,
    Rinshan,
    Chankan,
    Haitei,
    Houtei,
    Chiitoitsu,
    Toitoi,
    Sanankou,
    SanshokuDoukou,
    Sankantsu,
    Shousangen,
    Honroutou,
    SanshokuDoujun,
    Ittsu,
    Chanta,
    Ryanpeikou,
    Honitsu,
    Junchan,
    Chinitsu,
    Tenhou,
    Chiihou,
    Kokushi,
    Kokushi13,
    Suuankou,
    SuuankouTanki,
    Daisangen,
    Tsuuiisou,
    Ryuuiisou,
    Chinroutou,
    Shousuushii,
    Daisuushii,
    Suukantsu,
    Chuuren,
    JunseiChuuren,
};

inline constexpr int kYakumanHan = 13;

// One bit per tile kind, bit t for tile index t.
using TileMask = std::uint64_t;

constexpr TileMask TileBit(TileIndex t) {
    return TileMask{1} << t;
}

// The kinds a hand holds at least one of.
TileMask PresentKinds(const TileCounts& counts);

// What a yaku test sees: the hand, one reading of it, and every tile counted.
struct YakuContext {
    const HandInput& hand;
    const Reading& reading;
    TileCounts all;
    bool closed;
    TileMask present = PresentKinds(all);  // the same for every reading: pass it when known
};

struct YakuRow {
    YakuId id;
    std::string_view name;
    int closedHan;
    int openHan;  // 0: closed hands only
    bool (*holds)(const YakuContext&);
    bool doubleYakuman = false;  // 26 han, or 13 when the table counts doubles once
};

struct ScoredYaku {
    YakuId id;
    std::string_view name;
    int han;
};

inline constexpr std::size_t kMaxYaku = 48;

// The yaku of one reading, in table order, with what a contained yaku would add taken out.
struct YakuList {
    std::array<ScoredYaku, kMaxYaku> items{};
    int count = 0;
    int Han() const;
    std::span<const ScoredYaku> View() const {
        return {items.data(), static_cast<std::size_t>(count)};
    }
};

// Found yaku as bits, bit i for row i of the table.
using YakuBits = std::uint64_t;

// What a hand's yaku are whatever its reading: the rows worth testing in its readings (none
// without han in it, as closed-only yaku in an open hand, nor any its tiles rule out), and the
// rows its tiles and situation alone decide, found. Found once per hand.
struct HandYaku {
    YakuBits tested = 0;
    YakuBits found = 0;
};
HandYaku FindHandYaku(const YakuContext& context);

// Writes the yaku of the context's reading into `list`, the hand's own already found. The list
// is large beside the few yaku a hand has, and one is filled for every reading.
void FindYaku(const YakuContext& context, const HandYaku& handYaku, YakuList& list);

std::span<const YakuRow> YakuTable();

// A yaku that contains others by its definition, and why.
struct Containment {
    YakuId yaku;
    std::span<const YakuId> contains;
    std::string_view reason;
};
std::span<const Containment> ContainmentTable();

}  // namespace velmarto::hand
