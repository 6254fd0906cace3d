// One table of the options a batch line may hold and what each does to the hand; a line with
// anything the table does not cover goes to the full parser instead.
#include "cli/batch_line.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "cli/hand_options.h"

namespace velmarto::cli {
namespace {

constexpr std::array<bool, 256> kIsWhiteSpace = [] {
    std::array<bool, 256> table{};
    for (char c : std::string_view(" \t\n\v\f\r")) {
        table[static_cast<unsigned char>(c)] = true;
    }
    return table;
}();
// More digits than --honba or --sticks can have; and a leading zero the full parser may read as
// octal.
constexpr std::size_t kMaxCounterDigits = 7;

// What an option does with its value (nullptr for a flag); false when the value is not plainly
// valid.
using Apply = bool (*)(BatchLine& line, std::string_view value);

struct LineOption {
    std::string_view name;
    bool takesValue;
    bool repeatable;
    Apply apply;
};

bool SetWind(int& wind, std::string_view letter) {
    wind = WindIndex(letter);
    return wind >= 0;
}

bool SetCounter(int& counter, std::string_view digits, int most) {
    if (digits.size() > kMaxCounterDigits || (digits.size() > 1 && digits.front() == '0')) {
        return false;
    }
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), counter);
    return error == std::errc{} && end == digits.data() + digits.size() && counter >= 0 &&
           counter <= most;
}

// The index of `value` in `names`, or -1.
template <std::size_t n>
int IndexOf(const std::array<std::string_view, n>& names, std::string_view value) {
    const auto* found = std::find(names.begin(), names.end(), value);
    return found == names.end() ? -1 : static_cast<int>(found - names.begin());
}

template <hand::MeldKind kind>
bool AddMeld(BatchLine& line, std::string_view tiles) {
    line.text.melds.emplace_back(kind, tiles);
    return true;
}

template <auto field>
bool SetText(BatchLine& line, std::string_view tiles) {
    line.text.*field = tiles;
    return true;
}

template <int hand::TableContext::*wind>
bool SetWindOf(BatchLine& line, std::string_view letter) {
    return SetWind(line.text.situation.*wind, letter);
}

template <int hand::TableContext::*counter, int most>
bool SetCounterOf(BatchLine& line, std::string_view digits) {
    return SetCounter(line.text.situation.*counter, digits, most);
}

bool SetPlayers(BatchLine& line, std::string_view count) {
    line.text.rules.players = count == "3" ? game::kThreePlayers : game::kMaxPlayers;
    return count == "3" || count == "4";
}

bool SetSanmaRule(BatchLine& line, std::string_view name) {
    const int rule = IndexOf(kSanmaRules, name);
    line.sanma = static_cast<game::SanmaTsumo>(std::max(rule, 0));
    return rule >= 0;
}

template <bool hand::Rules::*rule>
bool TurnOff(BatchLine& line, std::string_view) {
    line.text.rules.*rule = false;
    return true;
}

bool SetTsumo(BatchLine& line, std::string_view) {
    line.text.situation.tsumo = true;
    return true;
}

template <bool BatchLine::*output>
bool TurnOn(BatchLine& line, std::string_view) {
    line.*output = true;
    return true;
}

// A batch writes one encoding for all its lines; a line may still name a valid one.
bool CheckEncoding(BatchLine&, std::string_view name) {
    return IndexOf(kEncodings, name) >= 0;
}

using enum hand::MeldKind;
using hand::HandText;
using hand::Situation;
constexpr std::array kLineOptions = {
    LineOption{kMeldOptions[0], true, true, AddMeld<Chi>},
    LineOption{kMeldOptions[1], true, true, AddMeld<Pon>},
    LineOption{kMeldOptions[2], true, true, AddMeld<Kan>},
    LineOption{kMeldOptions[3], true, true, AddMeld<Ankan>},
    LineOption{kTsumo, false, false, SetTsumo},
    LineOption{"--win", true, false, SetText<&HandText::win>},
    LineOption{"--dora", true, false, SetText<&HandText::dora>},
    LineOption{"--ura", true, false, SetText<&HandText::ura>},
    LineOption{"--round", true, false, SetWindOf<&Situation::roundWind>},
    LineOption{"--seat", true, false, SetWindOf<&Situation::seatWind>},
    LineOption{"--honba", true, false, SetCounterOf<&Situation::honba, kMaxCounters>},
    LineOption{"--sticks", true, false, SetCounterOf<&Situation::sticks, kMaxCounters>},
    LineOption{"--players", true, false, SetPlayers},
    LineOption{"--kita", true, false, SetCounterOf<&Situation::kita, hand::kCopies>},
    LineOption{"--sanma-tsumo", true, false, SetSanmaRule},
    LineOption{"--encoding", true, false, CheckEncoding},
    LineOption{"--no-double-yakuman", false, false, TurnOff<&hand::Rules::doubleYakuman>},
    LineOption{"--no-open-tanyao", false, false, TurnOff<&hand::Rules::openTanyao>},
    LineOption{"--json", false, false, TurnOn<&BatchLine::json>},
    LineOption{"--plain", false, false, TurnOn<&BatchLine::plain>},
};

// Declared flags follow the line options in the record of what a line has given.
constexpr std::size_t kOptionSlots = kLineOptions.size() + hand::kDeclaredFlags.size();
static_assert(kOptionSlots <= 64);

// Applies the option named `word`, taking its value from `rest`; how many words it used, or 0 when
// the full parser has to read the line.
std::size_t ApplyOption(std::string_view word, std::span<const std::string_view> rest,
                        BatchLine& line, std::uint64_t& given) {
    const auto mark = [&given](std::size_t slot) {
        const std::uint64_t bit = std::uint64_t{1} << slot;
        const bool first = (given & bit) == 0;
        given |= bit;
        return first;
    };
    for (std::size_t i = 0; i < hand::kDeclaredFlags.size(); ++i) {
        if (hand::kDeclaredFlags[i].option == word) {
            line.text.situation.*hand::kDeclaredFlags[i].flag = true;
            return mark(kLineOptions.size() + i) ? 1 : 0;
        }
    }
    const auto* option = std::find_if(kLineOptions.begin(), kLineOptions.end(),
                                      [word](const LineOption& o) { return o.name == word; });
    if (option == kLineOptions.end() ||
        (!mark(static_cast<std::size_t>(option - kLineOptions.begin())) && !option->repeatable)) {
        return 0;
    }
    if (!option->takesValue) {
        return option->apply(line, {}) ? 1 : 0;
    }
    if (rest.empty() || rest.front().starts_with('-')) {
        return 0;
    }
    return option->apply(line, rest.front()) ? 2 : 0;
}

}  // namespace

void SplitLine(std::string_view line, std::vector<std::string_view>& words) {
    words.clear();
    const auto space = [](char c) { return kIsWhiteSpace[static_cast<unsigned char>(c)]; };
    std::size_t i = 0;
    while (i < line.size()) {
        if (space(line[i])) {
            ++i;
            continue;
        }
        const std::size_t start = i;
        while (i < line.size() && !space(line[i])) {
            ++i;
        }
        words.push_back(line.substr(start, i - start));
    }
}

bool ReadBatchLine(std::span<const std::string_view> words, BatchLine& line) {
    // The called sets keep their room from the previous line.
    auto melds = std::move(line.text.melds);
    melds.clear();
    line = BatchLine{};
    line.text.melds = std::move(melds);
    std::uint64_t given = 0;
    bool tiles = false;
    for (std::size_t i = 0; i < words.size();) {
        const std::string_view word = words[i];
        if (!word.starts_with('-')) {
            if (tiles) {
                return false;
            }
            line.text.tiles = word;
            tiles = true;
            ++i;
            continue;
        }
        const std::size_t used = ApplyOption(word, words.subspan(i + 1), line, given);
        if (used == 0) {
            return false;
        }
        i += used;
    }
    // The full parser groups the called sets by kind, and their order shows in the fu items.
    std::stable_sort(line.text.melds.begin(), line.text.melds.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    return tiles;
}

}  // namespace velmarto::cli
