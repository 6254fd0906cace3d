// Dialog units to pixels, as Windows computes them, widened where a control needs more room than
// its template gives it in the fonts at hand.
#pragma once

#include <span>
#include <vector>

#include "winsys/dialog_template.h"

namespace velmarto::winsys {

// Pixels per 4 horizontal and per 8 vertical dialog units: the average width of the Latin
// letters and the height of the dialog font.
struct BaseUnits {
    int x, y;
};

struct PixelRect {
    int x, y, width, height;
    int Right() const { return x + width; }
};

// What a control needs at least, in pixels; 0 takes the template's size. A height given here is
// used as is (a closed drop-down list is as tall as its font needs, not as its list).
struct MinimumSize {
    int width = 0;
    int height = 0;
};

struct Layout {
    std::vector<PixelRect> controls;  // in template order
    int width, height;
};

PixelRect ToPixels(const DialogUnits& units, BaseUnits base);

// Scales the template and widens each control to its minimum; a widened control pushes the
// controls to its right along, gaps kept, and the dialog and any control that reached its right
// margin grow with them, so a row still reads left to right.
Layout LayOutDialog(const DialogTemplate& dialog, BaseUnits base,
                    std::span<const MinimumSize> minimum);

}  // namespace velmarto::winsys
