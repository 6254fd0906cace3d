// Fu: 20 to start, what the win, the sets, the pair and the wait add, rounded up to 10.
#include "engine/hand/fu.h"

namespace velmarto::hand {
namespace {

constexpr int kBaseFu = 20;
constexpr int kClosedRonFu = 10;
constexpr int kTsumoFu = 2;
constexpr int kSevenPairsFu = 25;
constexpr int kOpenPinfuFu = 10;  // an open hand that would count 20 counts 30
constexpr int kValuePairFu = 2;
constexpr int kWaitFu = 2;

// Fu of a set, by [quad][concealed][terminal or honour]; a sequence counts nothing.
struct SetFu {
    std::string_view name;
    int fu;
};
constexpr SetFu kSetFu[2][2][2] = {
    {{{"明刻（中張牌）", 2}, {"明刻（幺九牌）", 4}},
     {{"暗刻（中張牌）", 4}, {"暗刻（幺九牌）", 8}}},
    {{{"明槓（中張牌）", 8}, {"明槓（幺九牌）", 16}},
     {{"暗槓（中張牌）", 16}, {"暗槓（幺九牌）", 32}}},
};

struct WaitFu {
    Wait wait;
    std::string_view name;
};
constexpr WaitFu kWaitNames[] = {{Wait::Kanchan, "嵌張待ち"},
                                 {Wait::Penchan, "辺張待ち"},
                                 {Wait::Tanki, "単騎待ち"},
                                 {Wait::ThirteenSided, "十三面待ち"}};

class Counter {
public:
    void Add(std::string_view name, int fu) {
        m_count.items[static_cast<std::size_t>(m_count.count++)] = {name, fu};
    }
    FuCount Rounded() {
        int sum = 0;
        for (const FuItem& item : m_count.View()) {
            sum += item.fu;
        }
        m_count.total = (sum + 9) / 10 * 10;
        return m_count;
    }
    FuCount Exactly(int total) {
        m_count.total = total;
        return m_count;
    }

private:
    FuCount m_count;
};

void AddWinFu(Counter& counter, const HandInput& hand, bool pinfu) {
    if (!hand.situation.tsumo && hand.Closed()) {
        counter.Add("門前ロン", kClosedRonFu);
    }
    if (hand.situation.tsumo && !pinfu) {
        counter.Add("ツモ", kTsumoFu);
    }
}

void AddWaitFu(Counter& counter, Wait wait) {
    for (const WaitFu& entry : kWaitNames) {
        if (entry.wait == wait) {
            counter.Add(entry.name, kWaitFu);
        }
    }
}

void AddPairFu(Counter& counter, const HandInput& hand, TileIndex pair) {
    const Situation& s = hand.situation;
    const int winds = (pair == kEast + s.roundWind) + (pair == kEast + s.seatWind);
    if (winds == 2) {
        counter.Add("連風牌の雀頭", 2 * kValuePairFu);
    } else if (winds == 1 || IsDragon(pair)) {
        counter.Add("役牌の雀頭", kValuePairFu);
    }
}

}  // namespace

FuCount CountFu(const HandInput& hand, const Reading& reading, bool pinfu) {
    Counter counter;
    if (reading.form == Form::SevenPairs) {
        counter.Add("七対子", kSevenPairsFu);
        return counter.Exactly(kSevenPairsFu);
    }
    counter.Add("副底", kBaseFu);
    if (pinfu && hand.situation.tsumo) {
        return counter.Rounded();
    }
    AddWinFu(counter, hand, pinfu);
    if (reading.form == Form::Standard) {
        for (const Set& set : reading.sets) {
            if (set.kind != SetKind::Sequence) {
                const SetFu& fu =
                    kSetFu[set.kind == SetKind::Quad][set.concealed][IsTerminalOrHonour(set.tile)];
                counter.Add(fu.name, fu.fu);
            }
        }
        AddPairFu(counter, hand, reading.pair);
    }
    AddWaitFu(counter, reading.wait);
    FuCount count = counter.Rounded();
    if (count.total == kBaseFu && !hand.Closed()) {
        counter.Add("喰い平和形", kOpenPinfuFu);
        count = counter.Rounded();
    }
    return count;
}

bool IsPossibleHanFu(int han, int fu, bool tsumo) {
    constexpr int kPinfuTsumoFu = 20;
    constexpr int kSevenPairsFu = 25;
    constexpr int kPinfuTsumoHan = 2;
    constexpr int kSevenPairsHan = 2;
    if (fu == kPinfuTsumoFu) {
        return tsumo && han >= kPinfuTsumoHan;
    }
    if (fu == kSevenPairsFu) {
        return han >= kSevenPairsHan + (tsumo ? 1 : 0);
    }
    return true;
}

}  // namespace velmarto::hand
