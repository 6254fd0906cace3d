// libqrencode at error correction M (15 % of the code may be covered or scratched), 8-bit mode
// so a URL is taken as it is; one path of unit squares, with the four-module quiet zone scanners
// need around it.
#include "server/qr_svg.h"

#include <qrencode.h>

#include <memory>

namespace velmarto::server {
namespace {

constexpr int kQuietZone = 4;

struct FreeCode {
    void operator()(QRcode* code) const { QRcode_free(code); }
};

}  // namespace

std::optional<std::string> QrSvg(std::string_view text) {
    if (text.empty() || text.size() > kQrTextLimit) {
        return std::nullopt;
    }
    const std::unique_ptr<QRcode, FreeCode> code(
        QRcode_encodeData(static_cast<int>(text.size()),
                          reinterpret_cast<const unsigned char*>(text.data()), 0, QR_ECLEVEL_M));
    if (!code) {
        return std::nullopt;
    }
    const int width = code->width;
    const std::string side = std::to_string(width + 2 * kQuietZone);
    std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " + side + " " +
                      side + "\" shape-rendering=\"crispEdges\"><rect width=\"" + side +
                      "\" height=\"" + side + "\" fill=\"#fff\"/><path fill=\"#000\" d=\"";
    for (int y = 0; y < width; ++y) {
        for (int x = 0; x < width; ++x) {
            // Bit 0 of each byte is the module's colour; the others say what part it is.
            if (code->data[y * width + x] & 1) {
                svg += 'M';
                svg += std::to_string(x + kQuietZone);
                svg += ' ';
                svg += std::to_string(y + kQuietZone);
                svg += "h1v1h-1z";
            }
        }
    }
    svg += "\"/></svg>\n";
    return svg;
}

}  // namespace velmarto::server
