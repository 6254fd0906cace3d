// Table rows reuse the report's payment rules, so a table cell and a report figure never differ.
#include "cli/score_table.h"

#include <array>
#include <span>
#include <vector>

namespace velmarto::cli {
namespace {

constexpr std::array<std::string_view, 5> kNonDealerHeader = {"飜", "符", "点数", "親の支払い",
                                                              "子の支払い"};
constexpr std::array<std::string_view, 4> kDealerHeader = {"飜", "符", "点数",
                                                           "子の支払い（オール）"};

// Where each cell starts, between cells and at the end of a row.
struct RowStyle {
    std::string_view start;
    std::string_view separator;
    std::string_view end;
};
constexpr RowStyle StyleOf(TableFormat format) {
    switch (format) {
        case TableFormat::Csv:
            return {"", ",", "\n"};
        case TableFormat::Markdown:
            return {"| ", " | ", " |\n"};
        case TableFormat::Tsv:
            break;
    }
    return {"", "\t", "\n"};
}

std::span<const std::string_view> HeaderOf(Seat seat) {
    if (seat == Seat::Dealer) {
        return kDealerHeader;
    }
    return kNonDealerHeader;
}

void AppendHeader(const TableRequest& request, const RowStyle& style, std::string& out) {
    const std::span<const std::string_view> header = HeaderOf(request.seat);
    out += style.start;
    for (std::size_t i = 0; i < header.size(); ++i) {
        out.append(i == 0 ? "" : style.separator).append(header[i]);
    }
    out += style.end;
    if (request.format == TableFormat::Markdown) {
        out += "|";
        for (std::size_t i = 0; i < header.size(); ++i) {
            out += "---:|";
        }
        out += "\n";
    }
}

void AppendRow(const TableRequest& request, const RowStyle& style, const Hand& hand,
               std::string& out) {
    out.append(style.start).append(std::to_string(hand.han));
    out.append(style.separator).append(std::to_string(hand.fu));
    for (const PaymentRule& rule : PaymentRules(hand.seat)) {
        DigitRegister reg{};
        const int highest = ComputePayment(reg, rule, hand);
        out += style.separator;
        if (request.plain) {
            RenderDigits(reg, highest, out);
        } else {
            RenderMyriad(reg, highest, kUnitNames, out);
        }
    }
    out += style.end;
}

}  // namespace

std::string FormatScoreTable(const TableRequest& request) {
    const RowStyle style = StyleOf(request.format);
    std::string out;
    AppendHeader(request, style, out);
    for (int han = request.fromHan; han <= request.toHan; ++han) {
        // The fu selector's indexes run in ascending fu order, from 20 fu for "no selection".
        for (int fuIndex = -1; fuIndex <= kMaxFuIndex; ++fuIndex) {
            AppendRow(request, style, Hand{han, FuFromIndex(fuIndex), request.seat}, out);
        }
    }
    return out;
}

}  // namespace velmarto::cli
