// Compact JSON as nlohmann's dump() writes it with UTF-8 kept: no spaces, keys in insertion order,
// control characters as \b \f \n \r \t or \u00xx in lower case.
#include "cli/hand_json.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <span>

#include "cli/hand_options.h"
#include "engine/game/tsumo_shares.h"

namespace velmarto::cli {
namespace {

constexpr char kHexDigits[] = "0123456789abcdef";
constexpr unsigned char kFirstPrintable = 0x20;
constexpr std::size_t kLongEscape = 6;  // \u00xx
constexpr std::size_t kIntRoom = 12;
// Room for the keys, brackets and numbers of one hand, beside its texts and figures.
constexpr std::size_t kFixedRoom = 512;
constexpr std::size_t kItemRoom = 48;    // {"name":"","han":N}
constexpr std::size_t kFigureRoom = 24;  // "key":"" around the digits

struct ShortEscape {
    char raw;
    std::string_view escaped;
};
constexpr std::array kShortEscapes = {
    ShortEscape{'"', "\\\""}, ShortEscape{'\\', "\\\\"}, ShortEscape{'\b', "\\b"},
    ShortEscape{'\f', "\\f"}, ShortEscape{'\n', "\\n"},  ShortEscape{'\r', "\\r"},
    ShortEscape{'\t', "\\t"},
};

// How many bytes each byte takes once escaped.
constexpr std::array<std::uint8_t, 256> kEscapedSize = [] {
    std::array<std::uint8_t, 256> table{};
    table.fill(1);
    for (unsigned c = 0; c < kFirstPrintable; ++c) {
        table[c] = kLongEscape;
    }
    for (const ShortEscape& escape : kShortEscapes) {
        table[static_cast<unsigned char>(escape.raw)] =
            static_cast<std::uint8_t>(escape.escaped.size());
    }
    return table;
}();

// Room for a text however many of its bytes need escapes; the room left over costs less than
// counting them.
std::size_t EscapedRoom(std::string_view text) {
    return kLongEscape * text.size();
}

// Whether a word of 8 bytes holds one that needs an escape: a control character, '"' or '\\'.
// Each test is exact for the word as a whole, which is all that is asked.
constexpr std::uint64_t kEachByte = 0x0101010101010101;
constexpr std::uint64_t kHighBits = 0x8080808080808080;
constexpr bool AnyByteBelow(std::uint64_t word, unsigned char limit) {
    return ((word - kEachByte * limit) & ~word & kHighBits) != 0;
}
constexpr bool AnyByteIs(std::uint64_t word, char c) {
    return AnyByteBelow(word ^ (kEachByte * static_cast<unsigned char>(c)), 1);
}
constexpr bool NeedsEscape(std::uint64_t word) {
    return AnyByteBelow(word, kFirstPrintable) || AnyByteIs(word, '"') || AnyByteIs(word, '\\');
}

// Writes into room made in the output beforehand: a hand's JSON is a few hundred small pieces,
// and growing a string for each cost more than the pieces themselves.
class Sink {
public:
    Sink(std::string& out, std::size_t room) : m_out(out) {
        const std::size_t start = out.size();
        out.resize(start + room);
        m_next = out.data() + start;
    }
    ~Sink() { m_out.resize(static_cast<std::size_t>(m_next - m_out.data())); }
    Sink(const Sink&) = delete;
    Sink& operator=(const Sink&) = delete;

    Sink& operator<<(char c) {
        *m_next++ = c;
        return *this;
    }
    Sink& operator<<(std::string_view text) {
        std::memcpy(m_next, text.data(), text.size());
        m_next += text.size();
        return *this;
    }
    Sink& operator<<(int value) {
        m_next = std::to_chars(m_next, m_next + kIntRoom, value).ptr;
        return *this;
    }
    Sink& operator<<(bool value) { return *this << std::string_view(value ? "true" : "false"); }
    // A figure as a JSON string of its decimal digits.
    Sink& operator<<(const hand::Figure& figure) {
        *this << '"';
        for (int i = figure.highest; i >= 0; --i) {
            *m_next++ = static_cast<char>('0' + figure.digits[static_cast<std::size_t>(i)]);
        }
        return *this << '"';
    }

    // Eight bytes at a time while none of them needs an escape.
    void String(std::string_view text) {
        *this << '"';
        std::size_t i = 0;
        while (i < text.size()) {
            std::uint64_t word = 0;
            if (text.size() - i >= sizeof word) {
                std::memcpy(&word, text.data() + i, sizeof word);
                if (!NeedsEscape(word)) {
                    std::memcpy(m_next, &word, sizeof word);
                    m_next += sizeof word;
                    i += sizeof word;
                    continue;
                }
            }
            const char c = text[i++];
            if (kEscapedSize[static_cast<unsigned char>(c)] != 1) {
                Escaped(c);
            } else {
                *m_next++ = c;
            }
        }
        *this << '"';
    }

private:
    void Escaped(char c) {
        for (const ShortEscape& escape : kShortEscapes) {
            if (escape.raw == c) {
                *this << escape.escaped;
                return;
            }
        }
        const auto byte = static_cast<unsigned char>(c);
        *this << std::string_view("\\u00") << kHexDigits[byte >> 4] << kHexDigits[byte & 0xF];
    }

    std::string& m_out;
    char* m_next;
};

// An object or an array being written: the separators and the closing bracket.
class Bracket {
public:
    Bracket(Sink& sink, char open, char close) : m_sink(sink), m_close(close) { sink << open; }
    ~Bracket() { m_sink << m_close; }
    Bracket(const Bracket&) = delete;
    Bracket& operator=(const Bracket&) = delete;

    // Starts the next member, `"key":` (every key here is a plain identifier), and returns the
    // sink to write its value to.
    Sink& Key(std::string_view key) {
        const std::string_view lead = m_first ? "\"" : ",\"";
        m_first = false;
        return m_sink << lead << key << std::string_view("\":");
    }
    Sink& Next() {
        if (!m_first) {
            m_sink << ',';
        }
        m_first = false;
        return m_sink;
    }

private:
    Sink& m_sink;
    char m_close;
    bool m_first = true;
};

// [{"name":…,"han":…}, …] for yaku, [{"name":…,"fu":…}, …] for fu items.
template <typename Item>
void Named(Sink& sink, std::span<const Item> items, std::string_view valueKey, int Item::*value) {
    Bracket array(sink, '[', ']');
    for (const Item& item : items) {
        Bracket object(array.Next(), '{', '}');
        object.Key("name").String(item.name);
        object.Key(valueKey) << item.*value;
    }
}

void Payments(Sink& sink, const hand::HandScore& score) {
    if (!score.payments) {
        sink << std::string_view("null");
        return;
    }
    const std::span<const std::string_view> keys = hand::PaymentKeys(score.seat);
    const std::span<const hand::Figure> figures = score.payments->View();
    Bracket object(sink, '{', '}');
    for (std::size_t i = 0; i < figures.size(); ++i) {
        object.Key(keys[i]) << figures[i];
    }
}

void SettlementOf(Sink& sink, const hand::HandScore& score) {
    const hand::Settlement& settlement = *score.settlement;
    Bracket object(sink, '{', '}');
    object.Key("winner_gets") << settlement.winnerGets;
    object.Key("line").String(score.settlementLine);
    Bracket payers(object.Key("payers"), '[', ']');
    for (int i = 0; i < settlement.payerKinds; ++i) {
        payers.Next() << settlement.perPayer[static_cast<std::size_t>(i)];
    }
}

void ThreePlayers(Sink& sink, const ThreePlayerTsumo& threePlayers) {
    Bracket object(sink, '{', '}');
    object.Key("rule").String(kSanmaRules[static_cast<std::size_t>(threePlayers.rule)]);
    object.Key("tsumo_dealer").String(threePlayers.dealer);
    object.Key("tsumo_non_dealer").String(threePlayers.nonDealer);
    object.Key("line").String(threePlayers.line);
}

// Enough for the hand's JSON whatever its texts hold.
std::size_t RoomFor(const hand::HandScore& score,
                    const std::optional<ThreePlayerTsumo>& threePlayers) {
    std::size_t room = kFixedRoom + EscapedRoom(score.report) + EscapedRoom(score.settlementLine);
    if (threePlayers) {
        room += kFixedRoom + threePlayers->dealer.size() + threePlayers->nonDealer.size() +
                EscapedRoom(threePlayers->line);
    }
    for (const hand::ScoredYaku& yaku : score.result.yaku.View()) {
        room += kItemRoom + EscapedRoom(yaku.name);
    }
    for (const hand::FuItem& item : score.result.fu.View()) {
        room += kItemRoom + EscapedRoom(item.name);
    }
    const auto addFigures = [&room](std::span<const hand::Figure> figures) {
        for (const hand::Figure& figure : figures) {
            room += kFigureRoom + static_cast<std::size_t>(figure.highest) + 1;
        }
    };
    if (score.payments) {
        addFigures(score.payments->View());
    }
    if (score.settlement) {
        addFigures(std::span(&score.settlement->winnerGets, 1));
        addFigures(std::span(score.settlement->perPayer)
                       .first(static_cast<std::size_t>(score.settlement->payerKinds)));
    }
    return room;
}

}  // namespace

void AppendJsonString(std::string& out, std::string_view text) {
    Sink(out, 2 + EscapedRoom(text)).String(text);
}

std::optional<ThreePlayerTsumo> ThreePlayerTsumoOf(const hand::HandScore& score, int players,
                                                   bool tsumo, game::SanmaTsumo rule,
                                                   hand::Figures style) {
    if (players != game::kThreePlayers || !tsumo || !score.payments) {
        return std::nullopt;
    }
    const game::TsumoShares shares =
        game::TsumoSharesOf(*score.payments, game::kThreePlayers, rule);
    return ThreePlayerTsumo{rule, shares.dealer.Decimal(), shares.nonDealer.Decimal(),
                            game::ComposeThreePlayerTsumoLine(*score.payments, rule, style)};
}

void AppendHandJson(std::string& out, const hand::HandScore& score,
                    const hand::Situation& situation,
                    const std::optional<ThreePlayerTsumo>& threePlayers) {
    const hand::HandResult& result = score.result;
    Sink sink(out, RoomFor(score, threePlayers));
    Bracket object(sink, '{', '}');
    Named(object.Key("yaku"), result.yaku.View(), "han", &hand::ScoredYaku::han);
    {
        Bracket dora(object.Key("dora"), '{', '}');
        dora.Key("dora") << result.dora.dora;
        dora.Key("aka") << result.dora.aka;
        dora.Key("ura") << result.dora.ura;
    }
    object.Key("han") << result.han;
    object.Key("fu") << result.fu.total;
    Named(object.Key("fu_items"), result.fu.View(), "fu", &hand::FuItem::fu);
    object.Key("dealer") << (score.seat == Seat::Dealer);
    object.Key("tsumo") << situation.tsumo;
    object.Key("no_yaku") << result.NoYaku();
    Payments(object.Key("payments"), score);
    object.Key("honba") << situation.honba;
    object.Key("sticks") << situation.sticks;
    if (score.settlement) {
        SettlementOf(object.Key("settlement"), score);
    }
    object.Key("report").String(score.report);
    if (threePlayers) {
        ThreePlayers(object.Key("three_players"), *threePlayers);
    }
}

}  // namespace velmarto::cli
