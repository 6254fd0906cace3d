// Code page 932 through iconv.
#include <iconv.h>

#include <memory>
#include <stdexcept>

#include "engine/cp932.h"

namespace velmarto {
namespace {

struct IconvCloser {
    void operator()(iconv_t cd) const { iconv_close(cd); }
};
using Iconv = std::unique_ptr<std::remove_pointer_t<iconv_t>, IconvCloser>;

}  // namespace

std::string ToCp932(std::string_view utf8) {
    const Iconv cd(iconv_open("CP932", "UTF-8"));
    if (cd.get() == reinterpret_cast<iconv_t>(-1)) {
        throw std::runtime_error("no UTF-8 to CP932 converter");
    }
    // Shift-JIS never needs more bytes than UTF-8 for the same text.
    std::string out(utf8.size(), '\0');
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    if (iconv(cd.get(), &in, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
        throw std::runtime_error("text cannot be written in code page 932");
    }
    out.resize(out.size() - outLeft);
    return out;
}

}  // namespace velmarto
