// A link as a QR code the phones at the table can scan from the recorder's screen, drawn as SVG.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velmarto::server {

// Longer than any link the page shares (an address and two secrets), short enough for a small code.
inline constexpr std::size_t kQrTextLimit = 1024;

// Nothing for empty or too long text.
std::optional<std::string> QrSvg(std::string_view text);

}  // namespace velmarto::server
