// Reports in code page 932 (Shift-JIS), the encoding Japanese Windows programs and score sheets
// use.
#pragma once

#include <string>
#include <string_view>

namespace velmarto {

// Converts UTF-8 text to code page 932 with the platform's converter. Throws std::runtime_error
// for text that is not valid UTF-8 or has no code page 932 form.
std::string ToCp932(std::string_view utf8);

}  // namespace velmarto
