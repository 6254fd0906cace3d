// Each test reads one thing off the reading; the tables below put the names and han beside them.
#include "engine/hand/yaku.h"

#include <algorithm>
#include <bit>

namespace velmarto::hand {
namespace {

constexpr TileIndex kHaku = 31;
constexpr TileIndex kHatsu = 32;
constexpr TileIndex kChun = 33;
constexpr int kDoubleYakumanHan = 2 * kYakumanHan;
constexpr std::array<TileIndex, 6> kGreenTiles = {19, 20, 21, 23, 25, kHatsu};  // 2 3 4 6 8s 發
constexpr std::array<int, kSuitSize> kPureNineGates = {3, 1, 1, 1, 1, 1, 1, 1, 3};
constexpr int kNumberedSuits = 3;
constexpr unsigned kEverySuit = (1u << kNumberedSuits) - 1;

// Tile kinds as masks, so "every tile is an honour" is one AND instead of a walk over the counts.
constexpr TileMask MaskWhere(bool (*holds)(TileIndex)) {
    TileMask mask = 0;
    for (TileIndex t = 0; t < kTileKinds; ++t) {
        if (holds(t)) {
            mask |= TileBit(t);
        }
    }
    return mask;
}
constexpr TileMask kHonours = MaskWhere(IsHonour);
constexpr TileMask kTerminals = MaskWhere(IsTerminal);
constexpr TileMask kTerminalsAndHonours = MaskWhere(IsTerminalOrHonour);
constexpr TileMask kGreens = [] {
    TileMask mask = 0;
    for (TileIndex t : kGreenTiles) {
        mask |= TileBit(t);
    }
    return mask;
}();
constexpr TileMask kFirstSuit = TileBit(kSuitSize) - 1;

bool Standard(const YakuContext& c) {
    return c.reading.form == Form::Standard;
}

bool IsTripletLike(const Set& set) {
    return set.kind != SetKind::Sequence;
}

template <typename Predicate>
int CountSets(const YakuContext& c, Predicate predicate) {
    if (!Standard(c)) {
        return 0;
    }
    return static_cast<int>(std::count_if(c.reading.sets.begin(), c.reading.sets.end(), predicate));
}

bool HasTripletOf(const YakuContext& c, TileIndex tile) {
    return CountSets(c, [&](const Set& s) { return IsTripletLike(s) && s.tile == tile; }) > 0;
}

bool AllTiles(const YakuContext& c, TileMask kinds) {
    return (c.present & ~kinds) == 0;
}

bool AnyTile(const YakuContext& c, TileMask kinds) {
    return (c.present & kinds) != 0;
}

// Suits among the numbered tiles, as a bit mask.
unsigned SuitMask(const YakuContext& c) {
    unsigned mask = 0;
    for (int suit = 0; suit < kNumberedSuits; ++suit) {
        mask |= static_cast<unsigned>((c.present & (kFirstSuit << (suit * kSuitSize))) != 0)
                << suit;
    }
    return mask;
}

bool OneSuit(const YakuContext& c) {
    const unsigned mask = SuitMask(c);
    return mask != 0 && (mask & (mask - 1)) == 0;
}

// Pairs of identical sequences: 112233 twice over is two.
int IdenticalSequencePairs(const YakuContext& c) {
    if (!Standard(c) || !c.closed) {
        return 0;
    }
    const auto& sets = c.reading.sets;
    std::array<bool, kSets> paired{};
    int pairs = 0;
    for (std::size_t i = 0; i < sets.size(); ++i) {
        if (sets[i].kind != SetKind::Sequence || paired[i]) {
            continue;
        }
        for (std::size_t j = i + 1; j < sets.size(); ++j) {
            if (!paired[j] && sets[j].kind == SetKind::Sequence && sets[j].tile == sets[i].tile) {
                paired[j] = true;
                ++pairs;
                break;
            }
        }
    }
    return pairs;
}

bool ValuePair(const YakuContext& c) {
    const TileIndex pair = c.reading.pair;
    const Situation& s = c.hand.situation;
    return IsDragon(pair) || pair == kEast + s.roundWind || pair == kEast + s.seatWind;
}

bool SetHasTerminalOrHonour(const Set& s) {
    if (s.kind == SetKind::Sequence) {
        return NumberOf(s.tile) == 1 || NumberOf(s.tile) == 7;
    }
    return IsTerminalOrHonour(s.tile);
}

// Every set and the pair hold a terminal or an honour, and one set at least is a sequence.
bool OutsideHand(const YakuContext& c) {
    return Standard(c) && IsTerminalOrHonour(c.reading.pair) &&
           CountSets(c, SetHasTerminalOrHonour) == kSets &&
           CountSets(c, [](const Set& s) { return s.kind == SetKind::Sequence; }) > 0;
}

// The same sets, by kind, starting on the same number in all three suits.
bool ThreeSuits(const YakuContext& c, bool sequences) {
    if (!Standard(c)) {
        return false;
    }
    std::array<unsigned, kSuitSize> suitsAt{};
    for (const Set& s : c.reading.sets) {
        if (!IsHonour(s.tile) && (s.kind == SetKind::Sequence) == sequences) {
            suitsAt[static_cast<std::size_t>(NumberOf(s.tile) - 1)] |= 1u << SuitOf(s.tile);
        }
    }
    return std::find(suitsAt.begin(), suitsAt.end(), kEverySuit) != suitsAt.end();
}

// 123, 456 and 789 of one suit.
bool PureStraight(const YakuContext& c) {
    if (!Standard(c)) {
        return false;
    }
    std::array<unsigned, kNumberedSuits> thirds{};
    for (const Set& s : c.reading.sets) {
        if (s.kind == SetKind::Sequence && (NumberOf(s.tile) - 1) % 3 == 0) {
            thirds[static_cast<std::size_t>(SuitOf(s.tile))] |= 1u << ((NumberOf(s.tile) - 1) / 3);
        }
    }
    return std::find(thirds.begin(), thirds.end(), kEverySuit) != thirds.end();
}

int Triplets(const YakuContext& c, bool (*of)(TileIndex)) {
    return CountSets(c, [&](const Set& s) { return IsTripletLike(s) && of(s.tile); });
}

int ConcealedTriplets(const YakuContext& c) {
    return CountSets(c, [](const Set& s) { return IsTripletLike(s) && s.concealed; });
}

int Quads(const YakuContext& c) {
    return CountSets(c, [](const Set& s) { return s.kind == SetKind::Quad; });
}

bool NineGates(const YakuContext& c) {
    if (!c.hand.melds.empty() || !OneSuit(c) || AnyTile(c, kHonours)) {
        return false;
    }
    const int base = SuitOf(c.hand.win.index) * kSuitSize;
    for (int i = 0; i < kSuitSize; ++i) {
        if (c.all[static_cast<std::size_t>(base + i)] <
            kPureNineGates[static_cast<std::size_t>(i)]) {
            return false;
        }
    }
    return true;
}

// Nine gates already before the win: the winning tile was any of the nine.
bool PureNineGates(const YakuContext& c) {
    if (!NineGates(c)) {
        return false;
    }
    const int base = SuitOf(c.hand.win.index) * kSuitSize;
    for (int i = 0; i < kSuitSize; ++i) {
        const int held = c.all[static_cast<std::size_t>(base + i)] - (base + i == c.hand.win.index);
        if (held != kPureNineGates[static_cast<std::size_t>(i)]) {
            return false;
        }
    }
    return true;
}

const Situation& S(const YakuContext& c) {
    return c.hand.situation;
}

constexpr std::array kYaku = {
    YakuRow{YakuId::Riichi, "立直", 1, 0, [](const YakuContext& c) { return S(c).riichi; }},
    YakuRow{YakuId::DoubleRiichi, "ダブル立直", 2, 0,
            [](const YakuContext& c) { return S(c).doubleRiichi; }},
    YakuRow{YakuId::Ippatsu, "一発", 1, 0, [](const YakuContext& c) { return S(c).ippatsu; }},
    YakuRow{YakuId::MenzenTsumo, "門前清自摸和", 1, 0,
            [](const YakuContext& c) { return c.closed && S(c).tsumo; }},
    YakuRow{YakuId::Pinfu, "平和", 1, 0,
            [](const YakuContext& c) {
                return c.closed &&
                       CountSets(c, [](const Set& s) { return s.kind == SetKind::Sequence; }) ==
                           kSets &&
                       !ValuePair(c) && c.reading.wait == Wait::Ryanmen;
            }},
    YakuRow{YakuId::Tanyao, "断幺九", 1, 1,
            [](const YakuContext& c) {
                return (c.closed || c.hand.rules.openTanyao) && !AnyTile(c, kTerminalsAndHonours);
            }},
    YakuRow{YakuId::Iipeikou, "一盃口", 1, 0,
            [](const YakuContext& c) { return IdenticalSequencePairs(c) >= 1; }},
    YakuRow{YakuId::RoundWind, "場風", 1, 1,
            [](const YakuContext& c) { return HasTripletOf(c, kEast + S(c).roundWind); }},
    YakuRow{YakuId::SeatWind, "自風", 1, 1,
            [](const YakuContext& c) { return HasTripletOf(c, kEast + S(c).seatWind); }},
    YakuRow{YakuId::Haku, "白", 1, 1, [](const YakuContext& c) { return HasTripletOf(c, kHaku); }},
    YakuRow{YakuId::Hatsu, "發", 1, 1,
            [](const YakuContext& c) { return HasTripletOf(c, kHatsu); }},
    YakuRow{YakuId::Chun, "中", 1, 1, [](const YakuContext& c) { return HasTripletOf(c, kChun); }},
    YakuRow{YakuId::Rinshan, "嶺上開花", 1, 1, [](const YakuContext& c) { return S(c).rinshan; }},
    YakuRow{YakuId::Chankan, "槍槓", 1, 1, [](const YakuContext& c) { return S(c).chankan; }},
    YakuRow{YakuId::Haitei, "海底摸月", 1, 1, [](const YakuContext& c) { return S(c).haitei; }},
    YakuRow{YakuId::Houtei, "河底撈魚", 1, 1, [](const YakuContext& c) { return S(c).houtei; }},
    YakuRow{YakuId::Chiitoitsu, "七対子", 2, 0,
            [](const YakuContext& c) { return c.reading.form == Form::SevenPairs; }},
    YakuRow{YakuId::Toitoi, "対々和", 2, 2,
            [](const YakuContext& c) { return CountSets(c, IsTripletLike) == kSets; }},
    YakuRow{YakuId::Sanankou, "三暗刻", 2, 2,
            [](const YakuContext& c) { return ConcealedTriplets(c) >= 3; }},
    YakuRow{YakuId::SanshokuDoukou, "三色同刻", 2, 2,
            [](const YakuContext& c) { return ThreeSuits(c, false); }},
    YakuRow{YakuId::Sankantsu, "三槓子", 2, 2, [](const YakuContext& c) { return Quads(c) >= 3; }},
    YakuRow{YakuId::Shousangen, "小三元", 2, 2,
            [](const YakuContext& c) {
                return Triplets(c, IsDragon) == 2 && IsDragon(c.reading.pair);
            }},
    YakuRow{YakuId::Honroutou, "混老頭", 2, 2,
            [](const YakuContext& c) { return AllTiles(c, kTerminalsAndHonours); }},
    YakuRow{YakuId::SanshokuDoujun, "三色同順", 2, 1,
            [](const YakuContext& c) { return ThreeSuits(c, true); }},
    YakuRow{YakuId::Ittsu, "一気通貫", 2, 1, PureStraight},
    YakuRow{YakuId::Chanta, "混全帯幺九", 2, 1,
            [](const YakuContext& c) { return OutsideHand(c) && AnyTile(c, kHonours); }},
    YakuRow{YakuId::Ryanpeikou, "二盃口", 3, 0,
            [](const YakuContext& c) { return IdenticalSequencePairs(c) == 2; }},
    YakuRow{YakuId::Honitsu, "混一色", 3, 2, [](const YakuContext& c) { return OneSuit(c); }},
    YakuRow{YakuId::Junchan, "純全帯幺九", 3, 2,
            [](const YakuContext& c) { return OutsideHand(c) && !AnyTile(c, kHonours); }},
    YakuRow{YakuId::Chinitsu, "清一色", 6, 5,
            [](const YakuContext& c) { return OneSuit(c) && !AnyTile(c, kHonours); }},
    YakuRow{YakuId::Tenhou, "天和", kYakumanHan, 0,
            [](const YakuContext& c) { return S(c).tenhou; }},
    YakuRow{YakuId::Chiihou, "地和", kYakumanHan, 0,
            [](const YakuContext& c) { return S(c).chiihou; }},
    YakuRow{YakuId::Kokushi, "国士無双", kYakumanHan, 0,
            [](const YakuContext& c) { return c.reading.form == Form::ThirteenOrphans; }},
    YakuRow{YakuId::Kokushi13, "国士無双十三面", kDoubleYakumanHan, 0,
            [](const YakuContext& c) { return c.reading.wait == Wait::ThirteenSided; }, true},
    YakuRow{YakuId::Suuankou, "四暗刻", kYakumanHan, 0,
            [](const YakuContext& c) { return ConcealedTriplets(c) == kSets; }},
    YakuRow{YakuId::SuuankouTanki, "四暗刻単騎", kDoubleYakumanHan, 0,
            [](const YakuContext&
                   c) { return ConcealedTriplets(c) == kSets && c.reading.wait == Wait::Tanki; },
            true},
    YakuRow{YakuId::Daisangen, "大三元", kYakumanHan, kYakumanHan,
            [](const YakuContext& c) { return Triplets(c, IsDragon) == 3; }},
    YakuRow{YakuId::Tsuuiisou, "字一色", kYakumanHan, kYakumanHan,
            [](const YakuContext& c) { return AllTiles(c, kHonours); }},
    YakuRow{YakuId::Ryuuiisou, "緑一色", kYakumanHan, kYakumanHan,
            [](const YakuContext& c) { return AllTiles(c, kGreens); }},
    YakuRow{YakuId::Chinroutou, "清老頭", kYakumanHan, kYakumanHan,
            [](const YakuContext& c) { return AllTiles(c, kTerminals); }},
    YakuRow{
        YakuId::Shousuushii, "小四喜", kYakumanHan, kYakumanHan,
        [](const YakuContext& c) { return Triplets(c, IsWind) == 3 && IsWind(c.reading.pair); }},
    YakuRow{YakuId::Daisuushii, "大四喜", kDoubleYakumanHan, kDoubleYakumanHan,
            [](const YakuContext& c) { return Triplets(c, IsWind) == 4; }, true},
    YakuRow{YakuId::Suukantsu, "四槓子", kYakumanHan, kYakumanHan,
            [](const YakuContext& c) { return Quads(c) == kSets; }},
    YakuRow{YakuId::Chuuren, "九蓮宝燈", kYakumanHan, 0, NineGates},
    YakuRow{YakuId::JunseiChuuren, "純正九蓮宝燈", kDoubleYakumanHan, 0, PureNineGates, true},
};

// Found yaku are kept by id, so the table runs in the enumeration's order.
constexpr bool InIdOrder() {
    for (std::size_t i = 0; i < kYaku.size(); ++i) {
        if (static_cast<std::size_t>(kYaku[i].id) != i) {
            return false;
        }
    }
    return kYaku.size() <= kMaxYaku;
}
static_assert(InIdOrder());

using enum YakuId;
constexpr std::array kIipeikouOnly = {Iipeikou};
constexpr std::array kHonitsuOnly = {Honitsu};
constexpr std::array kChantaOnly = {Chanta};
constexpr std::array kFourConcealed = {Sanankou, Toitoi};
constexpr std::array kFourConcealedSingle = {Suuankou, Sanankou, Toitoi};
constexpr std::array kFourQuads = {Sankantsu, Toitoi};
constexpr std::array kDragons = {Haku, Hatsu, Chun};
constexpr std::array kBigWinds = {Toitoi, RoundWind, SeatWind};
constexpr std::array kAllTerminalsAndHonours = {Honroutou};
constexpr std::array kOrphansInTriplets = {Honroutou, Toitoi};
constexpr std::array kThirteenSided = {Kokushi, Honroutou};
constexpr std::array kNineGates = {Chinitsu, Honitsu};
constexpr std::array kPureNineGatesContains = {Chuuren, Chinitsu, Honitsu};
constexpr std::array kSelfDrawn = {MenzenTsumo};

constexpr std::array kContainments = {
    Containment{Ryanpeikou, kIipeikouOnly, "two pairs of identical sequences hold one"},
    Containment{Chinitsu, kHonitsuOnly,
                "one suit without honours is one suit with honours allowed"},
    Containment{Junchan, kChantaOnly,
                "terminals in every set is terminals or honours in every set"},
    Containment{Suuankou, kFourConcealed,
                "four concealed triplets are three of them, and all triplets"},
    Containment{SuuankouTanki, kFourConcealedSingle,
                "the single wait form is still four concealed triplets"},
    Containment{Suukantsu, kFourQuads, "four quads are three of them, and all triplets"},
    Containment{Daisangen, kDragons, "three dragon triplets are each dragon's triplet"},
    Containment{Daisuushii, kBigWinds,
                "four wind triplets are all triplets, the round's and the seat's wind among them"},
    Containment{Tsuuiisou, kOrphansInTriplets,
                "all honours is all terminals or honours, and only triplets can be made of them"},
    Containment{Chinroutou, kOrphansInTriplets,
                "all terminals is all terminals or honours, and only triplets can be made of them"},
    Containment{Kokushi, kAllTerminalsAndHonours, "thirteen orphans are all terminals or honours"},
    Containment{Kokushi13, kThirteenSided, "the thirteen-sided wait is still thirteen orphans"},
    Containment{Chuuren, kNineGates, "nine gates are made of one suit"},
    Containment{JunseiChuuren, kPureNineGatesContains, "the pure form is still nine gates"},
    Containment{Tenhou, kSelfDrawn, "a dealer's win on the first draw is a closed self-drawn win"},
    Containment{Chiihou, kSelfDrawn,
                "a non-dealer's win on the first draw is a closed self-drawn win"},
    Containment{Ryuuiisou, kHonitsuOnly, "only bamboo and 發 is one suit with honours allowed"},
};

static_assert(kYaku.size() <= 64);

constexpr YakuBits YakuBit(std::size_t row) {
    return YakuBits{1} << row;
}

// Rows whose test reads the hand's tiles, openness and situation but never the reading.
constexpr std::array kWholeHandYaku = {
    Riichi,    DoubleRiichi, Ippatsu,    MenzenTsumo, Tanyao,        Rinshan, Chankan,
    Haitei,    Houtei,       Honroutou,  Honitsu,     Chinitsu,      Tenhou,  Chiihou,
    Tsuuiisou, Ryuuiisou,    Chinroutou, Chuuren,     JunseiChuuren,
};

constexpr YakuBits RowsWhere(bool (*holds)(const YakuRow&)) {
    YakuBits bits = 0;
    for (std::size_t i = 0; i < kYaku.size(); ++i) {
        if (holds(kYaku[i])) {
            bits |= YakuBit(i);
        }
    }
    return bits;
}
// The rows with han in a closed hand, in an open one, and those the rule for doubles counts 13
// han in either.
constexpr YakuBits kClosedBits = RowsWhere([](const YakuRow& row) { return row.closedHan > 0; });
constexpr YakuBits kOpenBits = RowsWhere([](const YakuRow& row) { return row.openHan > 0; });
constexpr YakuBits kDoubleBits = RowsWhere([](const YakuRow& row) { return row.doubleYakuman; });

// Reading rows that hold only in a hand with one of these kinds of tile: in a hand without, they
// are not tested for any of its readings. The winds' own rows depend on the situation.
struct NeededKinds {
    YakuId yaku;
    TileMask kinds;
};
constexpr TileMask kDragonKinds = MaskWhere(IsDragon);
constexpr TileMask kWindKinds = MaskWhere(IsWind);
constexpr std::array kNeededKinds = {
    NeededKinds{Haku, TileBit(kHaku)},    NeededKinds{Hatsu, TileBit(kHatsu)},
    NeededKinds{Chun, TileBit(kChun)},    NeededKinds{Shousangen, kDragonKinds},
    NeededKinds{Daisangen, kDragonKinds}, NeededKinds{Shousuushii, kWindKinds},
    NeededKinds{Daisuushii, kWindKinds},  NeededKinds{Chanta, kHonours},
    NeededKinds{Junchan, kTerminals},
};
// Quads are only ever called or declared sets.
constexpr std::array kQuadYaku = {Sankantsu, Suukantsu};
constexpr int kFewestQuadsForYaku = 3;

constexpr YakuBits BitsOf(std::span<const YakuId> yaku) {
    YakuBits bits = 0;
    for (YakuId id : yaku) {
        bits |= YakuBit(static_cast<std::size_t>(id));
    }
    return bits;
}

constexpr YakuBits kWholeHandBits = BitsOf(kWholeHandYaku);

// The reading rows that the kinds of tile the hand holds and its quads leave possible.
YakuBits PossibleRows(const YakuContext& c) {
    YakuBits impossible = 0;
    const auto need = [&](YakuId yaku, TileMask kinds) {
        if ((c.present & kinds) == 0) {
            impossible |= YakuBit(static_cast<std::size_t>(yaku));
        }
    };
    for (const NeededKinds& needed : kNeededKinds) {
        need(needed.yaku, needed.kinds);
    }
    need(RoundWind, TileBit(kEast + S(c).roundWind));
    need(SeatWind, TileBit(kEast + S(c).seatWind));
    const auto quads = std::count_if(c.hand.melds.begin(), c.hand.melds.end(), [](const Meld& m) {
        return m.kind == MeldKind::Kan || m.kind == MeldKind::Ankan;
    });
    if (quads < kFewestQuadsForYaku) {
        impossible |= BitsOf(kQuadYaku);
    }
    return ~impossible;
}

// The rows of `rows` whose test holds in the context.
YakuBits Holding(YakuBits rows, const YakuContext& context) {
    YakuBits found = 0;
    for (; rows != 0; rows &= rows - 1) {
        const auto row = static_cast<std::size_t>(std::countr_zero(rows));
        if (kYaku[row].holds(context)) {
            found |= YakuBit(row);
        }
    }
    return found;
}

// What each containment leaves out, as bits.
constexpr std::array<YakuBits, kContainments.size()> kContainedBits = [] {
    std::array<YakuBits, kContainments.size()> bits{};
    for (std::size_t i = 0; i < kContainments.size(); ++i) {
        for (YakuId contained : kContainments[i].contains) {
            bits[i] |= YakuBit(static_cast<std::size_t>(contained));
        }
    }
    return bits;
}();

int HanOf(const YakuRow& row, const YakuContext& c) {
    if (row.doubleYakuman && !c.hand.rules.doubleYakuman) {
        return kYakumanHan;
    }
    return c.closed ? row.closedHan : row.openHan;
}

}  // namespace

TileMask PresentKinds(const TileCounts& counts) {
    TileMask mask = 0;
    for (TileIndex t = 0; t < kTileKinds; ++t) {
        mask |= static_cast<TileMask>(counts[static_cast<std::size_t>(t)] != 0) << t;
    }
    return mask;
}

int YakuList::Han() const {
    int han = 0;
    for (const ScoredYaku& yaku : View()) {
        han += yaku.han;
    }
    return han;
}

HandYaku FindHandYaku(const YakuContext& context) {
    const YakuBits counted = (context.closed ? kClosedBits : kOpenBits) |
                             (context.hand.rules.doubleYakuman ? 0 : kDoubleBits);
    return {counted & (kWholeHandBits | PossibleRows(context)),
            Holding(counted & kWholeHandBits, context)};
}

void FindYaku(const YakuContext& context, const HandYaku& handYaku, YakuList& list) {
    YakuBits found = handYaku.found | Holding(handYaku.tested & ~kWholeHandBits, context);
    // In table order, as a contained yaku's own containments apply only while it is still found.
    for (std::size_t i = 0; i < kContainments.size(); ++i) {
        if ((found & YakuBit(static_cast<std::size_t>(kContainments[i].yaku))) != 0) {
            found &= ~kContainedBits[i];
        }
    }
    list.count = 0;
    for (; found != 0; found &= found - 1) {
        const YakuRow& row = kYaku[static_cast<std::size_t>(std::countr_zero(found))];
        list.items[static_cast<std::size_t>(list.count++)] = {row.id, row.name,
                                                              HanOf(row, context)};
    }
}

std::span<const YakuRow> YakuTable() {
    return kYaku;
}

std::span<const Containment> ContainmentTable() {
    return kContainments;
}

}  // namespace velmarto::hand
