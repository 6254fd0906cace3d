// The tile faces both backends draw (res/tiles, one SVG a tile), named in the hand notation, and
// where each tile of a row or a button goes.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "winsys/dialog_template.h"

namespace velmarto::winsys {

// The faces' proportions: 60 wide, 80 high.
inline constexpr int kFaceWidth = 60;
inline constexpr int kFaceHeight = 80;

// The face of a tile character: "5m", "0p" for a red five, "7z", "back" face down; empty for a
// character that is no tile.
std::string TileFaceName(char32_t glyph, bool red);

// Where one face is drawn, in pixels of its control.
struct FacePlace {
    int x, y, width, height;
    std::string name;
};

// The tiles of a row left-aligned in a control `width` x `height`, as tall as the height allows
// and smaller where they would not fit its width; a face with glyph 0 leaves a gap.
std::vector<FacePlace> LayOutTileRow(std::span<const TileFace> tiles, int width, int height);

// One face as large as fits in the rectangle, centred in it.
FacePlace CentreFace(std::string name, int x, int y, int width, int height);

}  // namespace velmarto::winsys
