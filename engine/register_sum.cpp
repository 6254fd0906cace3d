// Schoolbook addition, digit by digit from the least significant.
#include "engine/register_sum.h"

namespace velmarto {

DigitRegister RegisterFrom(std::uint64_t value) {
    DigitRegister reg{};
    for (int i = 0; value != 0; ++i, value /= 10) {
        reg[static_cast<std::size_t>(i)] = static_cast<std::int32_t>(value % 10);
    }
    return reg;
}

bool AddRegister(DigitRegister& sum, const DigitRegister& value) {
    std::int32_t carry = 0;
    for (std::size_t i = 0; i < sum.size(); ++i) {
        const std::int32_t digit = sum[i] + value[i] + carry;
        sum[i] = digit % 10;
        carry = digit / 10;
    }
    return carry == 0;
}

int HighestDigit(const DigitRegister& reg) {
    for (int i = kRegisterDigits - 1; i > 0; --i) {
        if (reg[static_cast<std::size_t>(i)] != 0) {
            return i;
        }
    }
    return 0;
}

}  // namespace velmarto
