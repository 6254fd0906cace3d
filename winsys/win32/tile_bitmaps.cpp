// GDI stretches a bitmap by dropping or repeating pixels, which would break a face's thin
// strokes; each face is scaled here instead by averaging the area a pixel covers, once a size.
#include "winsys/win32/tile_bitmaps.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <vector>

#include "winsys/win32/dialog_window.h"

namespace velmarto::winsys {
namespace {

constexpr int kChannels = 4;  // blue, green, red, alpha, the colours premultiplied

// A face as the build stored it: a 32-bit BMP resource named TILE_5M, TILE_BACK ...
struct Master {
    int width;
    int height;
    const std::uint8_t* pixels;
    bool bottomUp;

    const std::uint8_t* Pixel(int x, int y) const {
        const int row = bottomUp ? height - 1 - y : y;
        return pixels + (static_cast<std::ptrdiff_t>(row) * width + x) * kChannels;
    }
};

std::optional<Master> LoadMaster(const std::string& name) {
    std::wstring resource = L"TILE_" + Widen(name);
    CharUpperW(resource.data());
    const HRSRC found = FindResourceW(ResourceModule(), resource.c_str(), RT_BITMAP);
    const HGLOBAL loaded = found ? LoadResource(ResourceModule(), found) : nullptr;
    const auto* info =
        loaded ? static_cast<const BITMAPINFOHEADER*>(LockResource(loaded)) : nullptr;
    if (!info || info->biBitCount != 32 || info->biCompression != BI_RGB) {
        return std::nullopt;
    }
    return Master{static_cast<int>(info->biWidth), static_cast<int>(std::abs(info->biHeight)),
                  reinterpret_cast<const std::uint8_t*>(info) + info->biSize, info->biHeight > 0};
}

// The part of a source pixel that falls in a target pixel, as a share of the target pixel.
struct Share {
    int source;
    float weight;
};

// For each of `to` pixels, the `from` pixels it covers when a line of `from` is scaled to `to`.
std::vector<std::vector<Share>> AreaShares(int from, int to) {
    std::vector<std::vector<Share>> shares(static_cast<std::size_t>(to));
    const double step = static_cast<double>(from) / to;
    for (int i = 0; i < to; ++i) {
        const double start = i * step;
        const double end = (i + 1) * step;
        for (int s = static_cast<int>(start); s < end && s < from; ++s) {
            const double covered = std::min(end, s + 1.0) - std::max(start, static_cast<double>(s));
            if (covered > 0) {
                shares[static_cast<std::size_t>(i)].push_back(
                    {s, static_cast<float>(covered / step)});
            }
        }
    }
    return shares;
}

void ScaleInto(const Master& master, int width, int height, std::uint8_t* target) {
    const auto across = AreaShares(master.width, width);
    const auto down = AreaShares(master.height, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            float sum[kChannels] = {};
            for (const Share& row : down[static_cast<std::size_t>(y)]) {
                for (const Share& column : across[static_cast<std::size_t>(x)]) {
                    const std::uint8_t* pixel = master.Pixel(column.source, row.source);
                    for (int c = 0; c < kChannels; ++c) {
                        sum[c] += pixel[c] * row.weight * column.weight;
                    }
                }
            }
            for (int c = 0; c < kChannels; ++c) {
                *target++ = static_cast<std::uint8_t>(std::clamp(sum[c] + 0.5f, 0.0f, 255.0f));
            }
        }
    }
}

}  // namespace

TileBitmaps::~TileBitmaps() {
    for (const auto& [key, bitmap] : m_scaled) {
        DeleteObject(bitmap);
    }
}

HBITMAP TileBitmaps::Scaled(const std::string& name, int width, int height) {
    HBITMAP& bitmap = m_scaled[{name, width, height}];
    if (bitmap) {
        return bitmap;
    }
    const std::optional<Master> master = LoadMaster(name);
    if (!master) {
        return nullptr;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap) {
        ScaleInto(*master, width, height, static_cast<std::uint8_t*>(bits));
    }
    return bitmap;
}

void TileBitmaps::Draw(HDC dc, const FacePlace& place, BYTE opacity) {
    if (place.name.empty() || place.width <= 0 || place.height <= 0) {
        return;
    }
    const HBITMAP bitmap = Scaled(place.name, place.width, place.height);
    if (!bitmap) {
        return;
    }
    const HDC memory = CreateCompatibleDC(dc);
    const HGDIOBJ previous = SelectObject(memory, bitmap);
    const BLENDFUNCTION blend = {AC_SRC_OVER, 0, opacity, AC_SRC_ALPHA};
    AlphaBlend(dc, place.x, place.y, place.width, place.height, memory, 0, 0, place.width,
               place.height, blend);
    SelectObject(memory, previous);
    DeleteDC(memory);
}

}  // namespace velmarto::winsys
