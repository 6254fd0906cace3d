// The tile faces for GDI: the bitmaps the build made of res/tiles, scaled to each size a tile
// takes and blended over the control.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <tuple>

#include "winsys/tile_faces.h"

namespace velmarto::winsys {

class TileBitmaps {
public:
    TileBitmaps() = default;
    ~TileBitmaps();
    TileBitmaps(const TileBitmaps&) = delete;
    TileBitmaps& operator=(const TileBitmaps&) = delete;

    // Draws the face at its place, `opacity` of 255 opaque; a face without a bitmap draws nothing.
    void Draw(HDC dc, const FacePlace& place, BYTE opacity = 255);

private:
    HBITMAP Scaled(const std::string& name, int width, int height);

    // By face, width and height; made when first drawn at that size.
    std::map<std::tuple<std::string, int, int>, HBITMAP> m_scaled;
};

}  // namespace velmarto::winsys
