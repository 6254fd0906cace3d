// Faces are found by the tile index behind a character and named as the hand notation writes it.
#include "winsys/tile_faces.h"

#include <algorithm>

#include "engine/hand/tile.h"

namespace velmarto::winsys {
namespace {

// A gap between called sets is a third of a tile high.
constexpr int kGapDivisor = 3;
// Tiles lie this share of their width apart, a pixel at least, so that each frame shows whole.
constexpr int kSpacingDivisor = 20;

constexpr int WidthFor(int height) {
    return height * kFaceWidth / kFaceHeight;
}

constexpr int SpacingFor(int height) {
    return std::max(1, WidthFor(height) / kSpacingDivisor);
}

// The row's width when its tiles are `height` high.
int RowWidth(std::span<const TileFace> tiles, int height) {
    int width = 0;
    for (const TileFace& face : tiles) {
        width += face.glyph == 0 ? height / kGapDivisor : WidthFor(height) + SpacingFor(height);
    }
    return width;
}

}  // namespace

std::string TileFaceName(char32_t glyph, bool red) {
    if (glyph == hand::kTileBackCodePoint) {
        return "back";
    }
    for (hand::TileIndex t = 0; t < hand::kTileKinds; ++t) {
        if (hand::TileCodePoint(t) != glyph) {
            continue;
        }
        const bool redFive = red && !hand::IsHonour(t) && hand::NumberOf(t) == 5;
        const int number = hand::IsHonour(t) ? t - hand::kFirstHonour + 1 : hand::NumberOf(t);
        return {static_cast<char>('0' + (redFive ? 0 : number)), "mpsz"[hand::SuitOf(t)]};
    }
    return {};
}

std::vector<FacePlace> LayOutTileRow(std::span<const TileFace> tiles, int width, int height) {
    int tall = height;
    while (tall > 1 && RowWidth(tiles, tall) > width) {
        --tall;
    }
    std::vector<FacePlace> places;
    int x = 0;
    for (const TileFace& face : tiles) {
        if (face.glyph == 0) {
            x += tall / kGapDivisor;
            continue;
        }
        places.push_back(
            {x, (height - tall) / 2, WidthFor(tall), tall, TileFaceName(face.glyph, face.red)});
        x += WidthFor(tall) + SpacingFor(tall);
    }
    return places;
}

FacePlace CentreFace(std::string name, int x, int y, int width, int height) {
    const int tall = std::min(height, width * kFaceHeight / kFaceWidth);
    return {x + (width - WidthFor(tall)) / 2, y + (height - tall) / 2, WidthFor(tall), tall,
            std::move(name)};
}

}  // namespace velmarto::winsys
