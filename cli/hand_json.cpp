// Compact JSON as nlohmann's dump() writes it with UTF-8 kept: no spaces, keys in insertion order,
// control characters as \b \f \n \r \t or \u00xx in lower case.
#include "cli/hand_json.h"

#include <array>
#include <charconv>
#include <initializer_list>
#include <span>
#include <utility>

namespace velmarto::cli {
namespace {

constexpr char kHexDigits[] = "0123456789abcdef";
constexpr unsigned char kFirstPrintable = 0x20;

struct ShortEscape {
    char raw;
    std::string_view escaped;
};
constexpr std::array kShortEscapes = {
    ShortEscape{'"', "\\\""}, ShortEscape{'\\', "\\\\"}, ShortEscape{'\b', "\\b"},
    ShortEscape{'\f', "\\f"}, ShortEscape{'\n', "\\n"},  ShortEscape{'\r', "\\r"},
    ShortEscape{'\t', "\\t"},
};

void AppendEscaped(std::string& out, char c) {
    for (const ShortEscape& escape : kShortEscapes) {
        if (escape.raw == c) {
            out += escape.escaped;
            return;
        }
    }
    const auto byte = static_cast<unsigned char>(c);
    out += "\\u00";
    out += kHexDigits[byte >> 4];
    out += kHexDigits[byte & 0xF];
}

constexpr std::array<bool, 256> kNeedsEscape = [] {
    std::array<bool, 256> table{};
    for (unsigned c = 0; c < kFirstPrintable; ++c) {
        table[c] = true;
    }
    table['"'] = table['\\'] = true;
    return table;
}();

bool NeedsEscape(char c) {
    return kNeedsEscape[static_cast<unsigned char>(c)];
}

void AppendInt(std::string& out, int value) {
    std::array<char, 16> digits{};
    const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), value).ptr;
    out.append(digits.data(), end);
}

// An object or an array being written: the separators and the closing bracket.
class Bracket {
public:
    Bracket(std::string& out, char open, char close) : m_out(out), m_close(close) { out += open; }
    ~Bracket() { m_out += m_close; }
    Bracket(const Bracket&) = delete;
    Bracket& operator=(const Bracket&) = delete;

    // Starts the next member, `"key":` (every key here is a plain identifier), and returns the
    // output to write its value to.
    std::string& Key(std::string_view key) {
        m_out.append(m_first ? "\"" : ",\"").append(key).append("\":");
        m_first = false;
        return m_out;
    }
    std::string& Next() {
        if (!m_first) {
            m_out += ',';
        }
        m_first = false;
        return m_out;
    }

private:
    std::string& m_out;
    char m_close;
    bool m_first = true;
};

void Object(std::string& out, std::initializer_list<std::pair<std::string_view, int>> members) {
    Bracket object(out, '{', '}');
    for (const auto& [key, value] : members) {
        AppendInt(object.Key(key), value);
    }
}

void AppendBool(std::string& out, bool value) {
    out += value ? "true" : "false";
}

void AppendDecimal(std::string& out, const hand::Figure& figure) {
    out += '"';
    out += hand::DecimalString(figure);
    out += '"';
}

// [{"name":…,"han":…}, …] for yaku, [{"name":…,"fu":…}, …] for fu items.
template <typename Item>
void AppendNamed(std::string& out, std::span<const Item> items, std::string_view valueKey,
                 int Item::*value) {
    Bracket array(out, '[', ']');
    for (const Item& item : items) {
        Bracket object(array.Next(), '{', '}');
        AppendJsonString(object.Key("name"), item.name);
        AppendInt(object.Key(valueKey), item.*value);
    }
}

void AppendPayments(std::string& out, const hand::HandScore& score) {
    if (!score.payments) {
        out += "null";
        return;
    }
    const std::span<const std::string_view> keys = hand::PaymentKeys(score.seat);
    const std::span<const hand::Figure> figures = score.payments->View();
    Bracket object(out, '{', '}');
    for (std::size_t i = 0; i < figures.size(); ++i) {
        AppendDecimal(object.Key(keys[i]), figures[i]);
    }
}

void AppendSettlement(std::string& out, const hand::HandScore& score) {
    const hand::Settlement& settlement = *score.settlement;
    Bracket object(out, '{', '}');
    AppendDecimal(object.Key("winner_gets"), settlement.winnerGets);
    AppendJsonString(object.Key("line"), score.settlementLine);
    Bracket payers(object.Key("payers"), '[', ']');
    for (int i = 0; i < settlement.payerKinds; ++i) {
        AppendDecimal(payers.Next(), settlement.perPayer[static_cast<std::size_t>(i)]);
    }
}

}  // namespace

void AppendJsonString(std::string& out, std::string_view text) {
    out += '"';
    std::size_t plain = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (NeedsEscape(text[i])) {
            out.append(text.substr(plain, i - plain));
            AppendEscaped(out, text[i]);
            plain = i + 1;
        }
    }
    out.append(text.substr(plain));
    out += '"';
}

void AppendHandJson(std::string& out, const hand::HandScore& score,
                    const hand::Situation& situation) {
    const hand::HandResult& result = score.result;
    Bracket object(out, '{', '}');
    AppendNamed(object.Key("yaku"), result.yaku.View(), "han", &hand::ScoredYaku::han);
    Object(object.Key("dora"),
           {{"dora", result.dora.dora}, {"aka", result.dora.aka}, {"ura", result.dora.ura}});
    AppendInt(object.Key("han"), result.han);
    AppendInt(object.Key("fu"), result.fu.total);
    AppendNamed(object.Key("fu_items"), result.fu.View(), "fu", &hand::FuItem::fu);
    AppendBool(object.Key("dealer"), score.seat == Seat::Dealer);
    AppendBool(object.Key("tsumo"), situation.tsumo);
    AppendBool(object.Key("no_yaku"), result.NoYaku());
    AppendPayments(object.Key("payments"), score);
    AppendInt(object.Key("honba"), situation.honba);
    AppendInt(object.Key("sticks"), situation.sticks);
    if (score.settlement) {
        AppendSettlement(object.Key("settlement"), score);
    }
    AppendJsonString(object.Key("report"), score.report);
}

}  // namespace velmarto::cli
