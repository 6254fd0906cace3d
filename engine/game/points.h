// Exact signed points of a whole game: the totals leave every fixed width after a few no-limit
// hands, so they are kept in decimal limbs with no upper bound.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/digit_register.h"

namespace velmarto::game {

class Points {
public:
    Points() = default;
    // A small figure: starting points, honba, sticks, penalties.
    explicit Points(int value);
    // A payment of the hand engine, exact to its last digit.
    static Points FromRegister(const DigitRegister& digits);
    // Optional minus sign, then decimal digits with no leading zero; nullopt otherwise.
    static std::optional<Points> Parse(std::string_view text);

    bool IsZero() const { return m_limbs.empty(); }
    bool IsNegative() const { return m_negative; }

    Points& operator+=(const Points& other);
    Points& operator-=(const Points& other);
    Points operator-() const;
    friend Points operator+(Points a, const Points& b) { return a += b; }
    friend Points operator-(Points a, const Points& b) { return a -= b; }
    // Multiplies by a small factor (a count of players, of honba, of sticks).
    Points Times(int factor) const;
    // The quotient rounded towards zero and the remainder, for a small positive divisor.
    Points DividedBy(int divisor, int& remainder) const;
    // Raised to the next multiple of 100 (towards plus infinity).
    Points RoundedUpToHundred() const;

    friend bool operator==(const Points&, const Points&) = default;
    friend std::strong_ordering operator<=>(const Points& a, const Points& b);

    // "-1234500", "0".
    std::string Decimal() const;
    // "-12万3400点" in myriad units ("0点" for zero); plain digits with 点 past the named units.
    std::string Myriad() const;

private:
    // Base 10^9, least significant first, no high zero limb; zero is empty and never negative.
    std::vector<std::uint32_t> m_limbs;
    bool m_negative = false;

    void Trim();
    static std::strong_ordering CompareMagnitude(const Points& a, const Points& b);
    void AddMagnitude(const Points& other);
    void SubtractSmallerMagnitude(const Points& other);
    void SubtractFromLargerMagnitude(const Points& other);
};

}  // namespace velmarto::game
