// Schoolbook arithmetic on base-10^9 limbs: every operation the ledger needs is an addition, a
// subtraction or a product or quotient by a small count, so nothing cleverer pays for itself.
#include "engine/game/points.h"

#include <algorithm>
#include <cstdlib>

#include "engine/myriad.h"

namespace velmarto::game {
namespace {

constexpr std::uint32_t kBase = 1'000'000'000;
constexpr int kLimbDigits = 9;
constexpr int kHundred = 100;

}  // namespace

Points::Points(int value) : m_negative(value < 0) {
    std::uint64_t magnitude = static_cast<std::uint64_t>(std::llabs(value));
    while (magnitude != 0) {
        m_limbs.push_back(static_cast<std::uint32_t>(magnitude % kBase));
        magnitude /= kBase;
    }
}

Points Points::FromRegister(const DigitRegister& digits) {
    Points points;
    points.m_limbs.assign((kRegisterDigits + kLimbDigits - 1) / kLimbDigits, 0);
    for (int i = kRegisterDigits - 1; i >= 0; --i) {
        std::uint32_t& limb = points.m_limbs[static_cast<std::size_t>(i / kLimbDigits)];
        limb = limb * 10 + static_cast<std::uint32_t>(digits[static_cast<std::size_t>(i)]);
    }
    points.Trim();
    return points;
}

std::optional<Points> Points::Parse(std::string_view text) {
    Points points;
    const bool negative = !text.empty() && text.front() == '-';
    if (negative) {
        text.remove_prefix(1);
    }
    const bool leadingZero = text.size() > 1 && text.front() == '0';
    if (text.empty() || leadingZero ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    for (std::size_t end = text.size(); end > 0;) {
        const std::size_t begin = end > kLimbDigits ? end - kLimbDigits : 0;
        std::uint32_t limb = 0;
        for (std::size_t i = begin; i < end; ++i) {
            limb = limb * 10 + static_cast<std::uint32_t>(text[i] - '0');
        }
        points.m_limbs.push_back(limb);
        end = begin;
    }
    points.Trim();
    if (negative && points.IsZero()) {
        return std::nullopt;  // "-0"
    }
    points.m_negative = negative;
    return points;
}

void Points::Trim() {
    while (!m_limbs.empty() && m_limbs.back() == 0) {
        m_limbs.pop_back();
    }
    if (m_limbs.empty()) {
        m_negative = false;
    }
}

std::strong_ordering Points::CompareMagnitude(const Points& a, const Points& b) {
    if (a.m_limbs.size() != b.m_limbs.size()) {
        return a.m_limbs.size() <=> b.m_limbs.size();
    }
    for (std::size_t i = a.m_limbs.size(); i-- > 0;) {
        if (a.m_limbs[i] != b.m_limbs[i]) {
            return a.m_limbs[i] <=> b.m_limbs[i];
        }
    }
    return std::strong_ordering::equal;
}

std::strong_ordering operator<=>(const Points& a, const Points& b) {
    if (a.m_negative != b.m_negative) {
        return a.m_negative ? std::strong_ordering::less : std::strong_ordering::greater;
    }
    const std::strong_ordering magnitude = Points::CompareMagnitude(a, b);
    return a.m_negative ? 0 <=> magnitude : magnitude;
}

void Points::AddMagnitude(const Points& other) {
    m_limbs.resize(std::max(m_limbs.size(), other.m_limbs.size()) + 1, 0);
    std::uint32_t carry = 0;
    for (std::size_t i = 0; i < m_limbs.size(); ++i) {
        const std::uint32_t add = i < other.m_limbs.size() ? other.m_limbs[i] : 0;
        const std::uint32_t sum = m_limbs[i] + add + carry;  // below 2 * 10^9 + 1 < 2^32
        carry = sum >= kBase ? 1 : 0;
        m_limbs[i] = sum - carry * kBase;
    }
    Trim();
}

// |this| -= |other|, where |other| <= |this|.
void Points::SubtractSmallerMagnitude(const Points& other) {
    std::uint32_t borrow = 0;
    for (std::size_t i = 0; i < m_limbs.size(); ++i) {
        const std::uint32_t take = (i < other.m_limbs.size() ? other.m_limbs[i] : 0) + borrow;
        borrow = m_limbs[i] < take ? 1 : 0;
        m_limbs[i] = m_limbs[i] + borrow * kBase - take;
    }
    Trim();
}

// |this| = |other| - |this|, where |this| < |other|.
void Points::SubtractFromLargerMagnitude(const Points& other) {
    Points larger = other;
    larger.m_negative = m_negative;
    larger.SubtractSmallerMagnitude(*this);
    *this = larger;
}

Points& Points::operator+=(const Points& other) {
    if (m_negative == other.m_negative) {
        AddMagnitude(other);
        return *this;
    }
    if (CompareMagnitude(*this, other) >= 0) {
        SubtractSmallerMagnitude(other);
    } else {
        const bool sign = other.m_negative;
        SubtractFromLargerMagnitude(other);
        m_negative = sign;
        Trim();
    }
    return *this;
}

Points& Points::operator-=(const Points& other) {
    return *this += -other;
}

Points Points::operator-() const {
    Points negated = *this;
    negated.m_negative = !m_negative;
    negated.Trim();
    return negated;
}

Points Points::Times(int factor) const {
    Points product;
    product.m_negative = m_negative != (factor < 0);
    const std::uint64_t by = static_cast<std::uint64_t>(std::llabs(factor));
    std::uint64_t carry = 0;
    for (const std::uint32_t limb : m_limbs) {
        const std::uint64_t value = limb * by + carry;
        product.m_limbs.push_back(static_cast<std::uint32_t>(value % kBase));
        carry = value / kBase;
    }
    while (carry != 0) {
        product.m_limbs.push_back(static_cast<std::uint32_t>(carry % kBase));
        carry /= kBase;
    }
    product.Trim();
    return product;
}

Points Points::DividedBy(int divisor, int& remainder) const {
    Points quotient = *this;
    std::uint64_t rest = 0;
    for (std::size_t i = quotient.m_limbs.size(); i-- > 0;) {
        const std::uint64_t value = rest * kBase + quotient.m_limbs[i];
        quotient.m_limbs[i] =
            static_cast<std::uint32_t>(value / static_cast<std::uint64_t>(divisor));
        rest = value % static_cast<std::uint64_t>(divisor);
    }
    quotient.Trim();
    remainder = m_negative ? -static_cast<int>(rest) : static_cast<int>(rest);
    return quotient;
}

Points Points::RoundedUpToHundred() const {
    int remainder = 0;
    Points hundreds = DividedBy(kHundred, remainder);
    if (remainder > 0) {
        hundreds += Points(1);
    }
    return hundreds.Times(kHundred);
}

std::string Points::Decimal() const {
    if (IsZero()) {
        return "0";
    }
    std::string text = std::to_string(m_limbs.back());
    for (std::size_t i = m_limbs.size() - 1; i-- > 0;) {
        const std::string limb = std::to_string(m_limbs[i]);
        text.append(static_cast<std::size_t>(kLimbDigits) - limb.size(), '0').append(limb);
    }
    return m_negative ? "-" + text : text;
}

std::string Points::Myriad() const {
    const std::string decimal = Decimal();
    const std::string_view digits = std::string_view(decimal).substr(m_negative ? 1 : 0);
    const std::size_t groups = (digits.size() + kGroupDigits - 1) / kGroupDigits;
    if (groups > kExtendedUnitNames.size()) {
        return decimal + std::string(kExtendedUnitNames[0]);
    }
    // Every group keeps its four digits, as the score window writes them: 3万0800点.
    std::string text = m_negative ? "-" : "";
    std::size_t taken = digits.size() - (groups - 1) * kGroupDigits;
    text.append(digits.substr(0, taken));
    for (std::size_t group = groups - 1; group > 0; --group) {
        text.append(kExtendedUnitNames[group]).append(digits.substr(taken, kGroupDigits));
        taken += kGroupDigits;
    }
    return text.append(kExtendedUnitNames[0]);
}

}  // namespace velmarto::game
