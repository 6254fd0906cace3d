// The page's strtod. Its only caller is the JSON library, on a number written with a fraction or
// an exponent; every number the game reads must be whole, so such a number is refused whatever
// its value and a close double is all that is needed. The C library's correctly rounded one
// brings 128-bit floating point emulation with it, about 9 KB of the page. Its float and long
// double siblings are here too, as the C library defines the three together: the C++ library
// names them (std::stof, std::stold), though the page never calls them.
#include <cstddef>

namespace {

constexpr double kBase = 10.0;
// Past this the value is infinite or zero in a double whatever the digits: the exponent stops
// growing there, so a written exponent of any length costs no more.
constexpr int kExponentLimit = 400;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The digits at `text` into `value`, each after the point lowering `scale`.
const char* Digits(const char* text, double& value, int& scale, bool fraction) {
    for (; IsDigit(*text); ++text) {
        value = value * kBase + (*text - '0');
        scale -= fraction ? 1 : 0;
    }
    return text;
}

double Scaled(double value, int scale) {
    for (; scale > 0 && value != 0; --scale) {
        value *= kBase;
    }
    for (; scale < 0 && value != 0; ++scale) {
        value /= kBase;
    }
    return value;
}

}  // namespace

extern "C" double strtod(const char* text, char** end) {
    const char* at = text;
    const bool negative = *at == '-';
    at += (*at == '-' || *at == '+') ? 1 : 0;
    double value = 0;
    int scale = 0;
    const char* digits = at;
    at = Digits(at, value, scale, false);
    if (*at == '.') {
        at = Digits(at + 1, value, scale, true);
    }
    if (at == digits || (at == digits + 1 && *digits == '.')) {
        if (end != nullptr) {
            *end = const_cast<char*>(text);
        }
        return 0;
    }
    if ((*at == 'e' || *at == 'E') &&
        (IsDigit(at[1]) || ((at[1] == '-' || at[1] == '+') && IsDigit(at[2])))) {
        const bool down = at[1] == '-';
        at += IsDigit(at[1]) ? 1 : 2;
        int exponent = 0;
        for (; IsDigit(*at); ++at) {
            exponent = exponent < kExponentLimit ? exponent * 10 + (*at - '0') : exponent;
        }
        scale += down ? -exponent : exponent;
    }
    if (end != nullptr) {
        *end = const_cast<char*>(at);
    }
    const double result = Scaled(value, scale);
    return negative ? -result : result;
}

extern "C" float strtof(const char* text, char** end) {
    return static_cast<float>(strtod(text, end));
}

extern "C" long double strtold(const char* text, char** end) {
    return strtod(text, end);
}
