// The page's snprintf. Its only caller is the JSON library, which writes a character's code in hex
// with it ("\u001f" in a string it writes, "<U+001F>" in the words of a refusal the page never
// shows); the C library's whole printf, floating point included, would cost the page about 7 KB.
// It writes plain text, and each unsigned integer as %x or %X with an optional 0 flag, width
// and precision, which is all that library asks; anything else is written as it stands.
#include <cstdarg>
#include <cstddef>
#include <string>

namespace {

// "%.4X" or "%04x" at `format`: the digits, at least `digits` of them.
const char* Hex(const char* format, unsigned value, std::string& out) {
    std::size_t digits = 1;
    if (*format == '.' || *format == '0') {
        ++format;
    }
    if (*format >= '1' && *format <= '9') {
        digits = static_cast<std::size_t>(*format++ - '0');
    }
    const bool upper = *format == 'X';
    const char* alphabet = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    std::string number;
    do {
        number.insert(number.begin(), alphabet[value % 16]);
        value /= 16;
    } while (value != 0);
    if (number.size() < digits) {
        number.insert(0, digits - number.size(), '0');
    }
    out += number;
    return format + 1;
}

}  // namespace

extern "C" int snprintf(char* buffer, std::size_t size, const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    std::string out;
    while (*format != '\0') {
        if (*format == '%' && format[1] != '\0') {
            format = Hex(format + 1, va_arg(args, unsigned), out);
        } else {
            out += *format++;
        }
    }
    va_end(args);
    if (size > 0) {
        const std::size_t written = out.size() < size ? out.size() : size - 1;
        out.copy(buffer, written);
        buffer[written] = '\0';
    }
    return static_cast<int>(out.size());
}
