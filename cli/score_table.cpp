// Table rows reuse the report's payment rules, so a table cell and a report figure never differ.
// Each payment of each fu is carried exactly from one han to the next: one doubling per row.
#include "cli/score_table.h"

#include <array>
#include <span>
#include <vector>

#include "engine/payment_series.h"

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

constexpr int kFuCount = kMaxFuIndex + 2;  // the fu selector's indexes, from -1 (20 fu)
// Room for a row of three long payments in myriad units, so the text is seldom moved.
constexpr std::size_t kRowBytesEstimate = 256;

// The payments of one fu, in report order.
struct FuColumn {
    int fu;
    std::vector<PaymentSeries> payments;
};

std::vector<FuColumn> StartColumns(const TableRequest& request) {
    std::vector<FuColumn> columns;
    columns.reserve(kFuCount);
    // The fu selector's indexes run in ascending fu order, from 20 fu for "no selection".
    for (int fuIndex = -1; fuIndex <= kMaxFuIndex; ++fuIndex) {
        const Hand hand{request.fromHan, FuFromIndex(fuIndex), request.seat};
        FuColumn column{hand.fu, {}};
        for (const PaymentRule& rule : PaymentRules(request.seat)) {
            column.payments.emplace_back(rule, hand);
        }
        columns.push_back(std::move(column));
    }
    return columns;
}

void AppendRow(const TableRequest& request, const RowStyle& style, int han, const FuColumn& column,
               std::string& out) {
    out.append(style.start).append(std::to_string(han));
    out.append(style.separator).append(std::to_string(column.fu));
    DigitRegister reg;
    for (const PaymentSeries& payment : column.payments) {
        const int highest = payment.Rounded(reg);
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
    out.reserve(kRowBytesEstimate * kFuCount *
                static_cast<std::size_t>(request.toHan - request.fromHan + 1));
    AppendHeader(request, style, out);
    std::vector<FuColumn> columns = StartColumns(request);
    for (int han = request.fromHan; han <= request.toHan; ++han) {
        for (FuColumn& column : columns) {
            AppendRow(request, style, han, column, out);
            for (PaymentSeries& payment : column.payments) {
                payment.NextHan();
            }
        }
    }
    return out;
}

}  // namespace velmarto::cli
