// Payments beyond the window's 119 han: the same rules, and the myriad units that reach 10^59.
#include "engine/hand/hand_payments.h"

#include <cstdint>

#include "engine/myriad.h"
#include "engine/payment_series.h"
#include "engine/register_sum.h"

namespace velmarto::hand {
namespace {

// Below 10^59 an exact payment still rounds up inside the register and its units.
constexpr int kHighestExactDigit = kRegisterDigits - 2;
constexpr int kRonHonba = 300;
constexpr int kTsumoHonba = 100;
constexpr int kStick = 1000;
constexpr std::size_t kTsumoRuleStart = 1;
// Below these a payment fits a machine word (under 2^62), so it needs no register doublings.
constexpr std::uint64_t kWordSeedLimit = 1u << 12;
constexpr int kWordDoublingLimit = 50;
constexpr std::uint64_t kHundred = 100;
constexpr std::uint64_t kTen = 10;
// Below 10^17, a figure and three times another still fit a word.
constexpr int kWordDigits = 17;
constexpr int kMostPayers = 3;
// Room most reports and settlement lines fit: grown from nothing, each was copied three or four
// times on its way.
constexpr std::size_t kReportRoom = 128;
constexpr std::size_t kSettlementRoom = 192;

// Writes `value` into a figure whose digits are all zero.
void WriteInteger(Figure& figure, std::uint64_t value) {
    for (int i = 0; value != 0; ++i, value /= kTen) {
        figure.digits[static_cast<std::size_t>(i)] = static_cast<std::int32_t>(value % kTen);
        figure.highest = i;
    }
}

constexpr std::string_view kGap = "　";  // the report's separator before a payment

std::string_view TrimmedLabel(std::string_view label) {
    return label.substr(label.starts_with(kGap) ? kGap.size() : 0);
}

Figure FromInteger(std::uint64_t value) {
    Figure figure{};
    WriteInteger(figure, value);
    return figure;
}

// The register's result by integer arithmetic, written into a zero figure, when the exact value
// fits a word: it rounds up to 100 when the tens digit is nonzero, and every payment is a
// multiple of 10. False when the register has to work it out.
bool WordPayment(const PaymentRule& rule, int han, int fu, Figure& figure) {
    const auto seed =
        static_cast<std::uint64_t>(rule.seedMultiplier) * static_cast<std::uint64_t>(fu);
    const int doublings = han + rule.extraDoublings;
    if (seed >= kWordSeedLimit || doublings > kWordDoublingLimit) {
        return false;
    }
    const std::uint64_t exact = seed << doublings;
    if (exact % kTen != 0) {
        return false;
    }
    const std::uint64_t below = exact % kHundred;
    WriteInteger(figure, below == 0 ? exact : exact - below + kHundred);
    return true;
}

std::uint64_t ToInteger(const Figure& figure) {
    std::uint64_t value = 0;
    for (int i = figure.highest; i >= 0; --i) {
        value =
            value * kTen + static_cast<std::uint64_t>(figure.digits[static_cast<std::size_t>(i)]);
    }
    return value;
}

// `into` += `add` × times; false on overflow. Figures of a word's size add as words.
bool AddTimes(Figure& into, const Figure& add, int times) {
    if (into.highest < kWordDigits && add.highest < kWordDigits && times <= kMostPayers) {
        into = FromInteger(ToInteger(into) + ToInteger(add) * static_cast<std::uint64_t>(times));
        return true;
    }
    for (int i = 0; i < times; ++i) {
        if (!AddRegister(into.digits, add.digits)) {
            return false;
        }
    }
    into.highest = HighestDigit(into.digits);
    return true;
}

constexpr std::array<std::string_view, 3> kNonDealerPaymentKeys = {"ron", "tsumo_dealer",
                                                                   "tsumo_non_dealer"};
constexpr std::array<std::string_view, 2> kDealerPaymentKeys = {"ron", "tsumo_each"};

}  // namespace

std::span<const std::string_view> PaymentKeys(Seat seat) {
    if (seat == Seat::Dealer) {
        return kDealerPaymentKeys;
    }
    return kNonDealerPaymentKeys;
}

// The payments are written where they are returned, each figure once.
std::optional<HandPayments> ComputePayments(int han, int fu, Seat seat) {
    std::optional<HandPayments> payments;
    payments.emplace().seat = seat;
    for (const PaymentRule& rule : PaymentRules(seat)) {
        Figure& figure = payments->figures[static_cast<std::size_t>(payments->count++)];
        if (WordPayment(rule, han, fu, figure)) {
            continue;
        }
        const PaymentSeries series(rule, Hand{han, fu, seat});
        if (series.HighestExactDigit() > kHighestExactDigit) {
            payments.reset();
            return payments;
        }
        figure.highest = series.Rounded(figure.digits);
    }
    return payments;
}

std::string DecimalString(const Figure& figure) {
    std::string out;
    RenderDigits(figure.digits, figure.highest, out);
    return out;
}

namespace {

void AppendFigure(std::string& out, const Figure& figure, Figures style) {
    if (style == Figures::Plain) {
        RenderDigits(figure.digits, figure.highest, out);
        out += kExtendedUnitNames[0];
        return;
    }
    RenderMyriad(figure.digits, figure.highest, kExtendedUnitNames, out);
}

}  // namespace

std::string RenderFigure(const Figure& figure, Figures style) {
    std::string out;
    AppendFigure(out, figure, style);
    return out;
}

std::string ComposeReport(const HandPayments& payments, Figures style) {
    std::string report;
    report.reserve(kReportRoom);
    const std::span<const PaymentRule> rules = PaymentRules(payments.seat);
    for (std::size_t i = 0; i < rules.size(); ++i) {
        report += rules[i].label;
        AppendFigure(report, payments.figures[i], style);
    }
    if (payments.seat == Seat::Dealer) {
        report += kAllSuffix;
    }
    return report;
}

std::optional<Settlement> Settle(const HandPayments& payments, bool tsumo, int honba, int sticks) {
    Settlement settlement;
    const std::span<const Figure> figures = payments.View();
    const std::span<const Figure> owed =
        tsumo ? figures.subspan(kTsumoRuleStart) : figures.first(1);
    const Figure honbaEach =
        FromInteger(static_cast<std::uint64_t>(honba) * (tsumo ? kTsumoHonba : kRonHonba));
    settlement.winnerGets = FromInteger(static_cast<std::uint64_t>(sticks) * kStick);
    // A dealer's tsumo has one share paid by three; a non-dealer's a dealer's share and two others.
    const bool dealer = payments.seat == Seat::Dealer;
    for (std::size_t i = 0; i < owed.size(); ++i) {
        Figure& pays = settlement.perPayer[i];
        pays = owed[i];
        const int payers = !tsumo ? 1 : dealer ? 3 : i == 0 ? 1 : 2;
        if (!AddTimes(pays, honbaEach, 1) || !AddTimes(settlement.winnerGets, pays, payers)) {
            return std::nullopt;
        }
    }
    settlement.payerKinds = static_cast<int>(owed.size());
    return settlement;
}

std::string ComposePayersLine(const Settlement& settlement, const HandPayments& payments,
                              bool tsumo, Figures style) {
    if (!tsumo) {
        return "放銃者の支払い " + RenderFigure(settlement.perPayer[0], style);
    }
    std::string line;
    const std::span<const PaymentRule> rules = PaymentRules(payments.seat).subspan(kTsumoRuleStart);
    for (std::size_t i = 0; i < rules.size(); ++i) {
        line += std::string(i == 0 ? TrimmedLabel(rules[i].label) : rules[i].label) +
                RenderFigure(settlement.perPayer[i], style);
    }
    if (payments.seat == Seat::Dealer) {
        line += kAllSuffix;
    }
    return line;
}

std::string ComposeSettlementLine(const Settlement& settlement, const HandPayments& payments,
                                  bool tsumo, int honba, int sticks, Figures style) {
    std::string line;
    line.reserve(kSettlementRoom);
    line.append(std::to_string(honba)).append("本場・供託").append(std::to_string(sticks));
    line.append("本込み").append(kGap).append(
        ComposePayersLine(settlement, payments, tsumo, style));
    line.append(kGap).append("和了者の受け取り ");
    AppendFigure(line, settlement.winnerGets, style);
    return line;
}

}  // namespace velmarto::hand
