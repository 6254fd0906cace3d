// Report composition: decoding, the no-yaku penalty, and each payment from its own register.
#include "engine/score_report.h"

#include <array>
#include <stdexcept>

namespace velmarto {
namespace {

constexpr int kNoSelection = -1;
constexpr int kNoSelectionFu = 20;
constexpr int kFuIndex25 = 0;
constexpr int kFu25 = 25;

// The report starts with the discard win; each fixed text below is exact, spaces included.
constexpr std::string_view kScoreLabel = "点数＝";
constexpr std::string_view kNoYaku = "役無しチョンボ！ ";
constexpr std::string_view kNoYakuDealer = "子への支払い オール4000点";
constexpr std::string_view kNoYakuNonDealer = "親への支払い 4000点／子への支払い 2000点";
// The longest report is 295 bytes of UTF-8.
constexpr std::size_t kReportCapacity = 320;

// A non-dealer's discard win is 4 x base, a dealer's 6 x base, with base = fu x 2^(han + 2).
constexpr std::array kNonDealerRules = {
    PaymentRule{0, 1, 4, kScoreLabel},
    PaymentRule{1, 1, 3, "　親の支払い "},
    PaymentRule{2, 1, 2, "／子の支払い "},
};
constexpr std::array kDealerRules = {
    PaymentRule{0, 3, 3, kScoreLabel},
    PaymentRule{2, 1, 3, "　子の支払い "},
};

void CheckReading(std::string_view name, std::int32_t value, int max) {
    if (value < kNoSelection || value > max) {
        throw std::out_of_range(std::string(name) + " " + std::to_string(value) +
                                " is outside -1-" + std::to_string(max));
    }
}

}  // namespace

int FuFromIndex(int fuIndex) {
    if (fuIndex == kNoSelection) {
        return kNoSelectionFu;
    }
    return fuIndex == kFuIndex25 ? kFu25 : fuIndex * 10 + 20;
}

std::optional<int> FuIndexOf(int fu) {
    for (int index = kNoSelection; index <= kMaxFuIndex; ++index) {
        if (FuFromIndex(index) == fu) {
            return index;
        }
    }
    return std::nullopt;
}

Seat SeatFromCheck(std::int32_t dealerCheck) {
    return dealerCheck > 0 ? Seat::Dealer : Seat::NonDealer;
}

std::optional<Hand> DecodeSelection(const ScoreSelection& selection) {
    CheckReading("han tens index", selection.tensIndex, kMaxTensIndex);
    CheckReading("han units index", selection.unitsIndex, kMaxUnitsIndex);
    CheckReading("fu index", selection.fuIndex, kMaxFuIndex);
    if (selection.tensIndex == kNoSelection || selection.unitsIndex == kNoSelection ||
        selection.tensIndex + selection.unitsIndex == 0) {
        return std::nullopt;
    }
    return Hand{selection.tensIndex * 10 + selection.unitsIndex, FuFromIndex(selection.fuIndex),
                SeatFromCheck(selection.dealerCheck)};
}

std::span<const PaymentRule> PaymentRules(Seat seat) {
    if (seat == Seat::Dealer) {
        return kDealerRules;
    }
    return kNonDealerRules;
}

int ComputePayment(DigitRegister& reg, const PaymentRule& rule, const Hand& hand) {
    CarryRow carry{};
    int highest = 0;
    SeedRegister(reg, rule.seedMultiplier * hand.fu);
    for (int pass = 0; pass < hand.han + rule.extraDoublings; ++pass) {
        DoubleRegister(reg, carry, highest);
    }
    RoundUpToHundred(reg, carry, highest);
    return highest;
}

std::string ComposeScoreReport(const ScoreSelection& selection, DigitRegister& registerA,
                               DigitRegister& registerB, DigitRegister& registerC,
                               const UnitNames& unitNames) {
    const std::optional<Hand> hand = DecodeSelection(selection);
    if (!hand) {
        const bool dealer = SeatFromCheck(selection.dealerCheck) == Seat::Dealer;
        return std::string(kNoYaku).append(dealer ? kNoYakuDealer : kNoYakuNonDealer);
    }
    const std::array<DigitRegister*, 3> registers = {&registerA, &registerB, &registerC};
    for (DigitRegister* reg : registers) {
        Clear(*reg);
    }
    std::string report;
    report.reserve(kReportCapacity);
    for (const PaymentRule& rule : PaymentRules(hand->seat)) {
        DigitRegister& reg = *registers[rule.registerSlot];
        const int highest = ComputePayment(reg, rule, *hand);
        report += rule.label;
        RenderMyriad(reg, highest, unitNames, report);
    }
    if (hand->seat == Seat::Dealer) {
        report += kAllSuffix;
    }
    return report;
}

}  // namespace velmarto
