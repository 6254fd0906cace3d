// Dialog layout; pure arithmetic so it can be checked without a window.
#include "winsys/dialog_layout.h"

#include <algorithm>
#include <numeric>

namespace velmarto::winsys {
namespace {

// Rounded like the Windows MulDiv the dialog manager uses.
int MulDiv(int value, int numerator, int denominator) {
    return (value * numerator + denominator / 2) / denominator;
}

bool SameRow(const PixelRect& a, const PixelRect& b) {
    return a.y < b.y + b.height && b.y < a.y + a.height;
}

}  // namespace

PixelRect ToPixels(const DialogUnits& units, BaseUnits base) {
    return {MulDiv(units.x, base.x, 4), MulDiv(units.y, base.y, 8), MulDiv(units.width, base.x, 4),
            MulDiv(units.height, base.y, 8)};
}

Layout LayOutDialog(const DialogTemplate& dialog, BaseUnits base,
                    std::span<const MinimumSize> minimum) {
    const std::size_t count = dialog.controls.size();
    std::vector<PixelRect> original(count);
    Layout layout{std::vector<PixelRect>(count), MulDiv(dialog.width, base.x, 4),
                  MulDiv(dialog.height, base.y, 8)};
    for (std::size_t i = 0; i < count; ++i) {
        original[i] = ToPixels(dialog.controls[i].rect, base);
        if (i < minimum.size() && minimum[i].height > 0) {
            original[i].height = minimum[i].height;
        }
        layout.controls[i] = original[i];
        if (i < minimum.size()) {
            layout.controls[i].width = std::max(original[i].width, minimum[i].width);
        }
    }
    std::vector<std::size_t> leftToRight(count);
    std::iota(leftToRight.begin(), leftToRight.end(), 0);
    std::stable_sort(leftToRight.begin(), leftToRight.end(),
                     [&](std::size_t a, std::size_t b) { return original[a].x < original[b].x; });
    for (std::size_t n = 0; n < count; ++n) {
        PixelRect& placed = layout.controls[leftToRight[n]];
        const PixelRect& was = original[leftToRight[n]];
        for (std::size_t m = 0; m < n; ++m) {
            const PixelRect& left = original[leftToRight[m]];
            if (SameRow(left, was) && left.Right() <= was.x) {
                const int gap = was.x - left.Right();
                placed.x = std::max(placed.x, layout.controls[leftToRight[m]].Right() + gap);
            }
        }
    }
    int originalRight = 0;
    int newRight = 0;
    for (std::size_t i = 0; i < count; ++i) {
        originalRight = std::max(originalRight, original[i].Right());
        newRight = std::max(newRight, layout.controls[i].Right());
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (original[i].Right() == originalRight) {
            layout.controls[i].width = newRight - layout.controls[i].x;
        }
    }
    layout.width += newRight - originalRight;
    return layout;
}

}  // namespace velmarto::winsys
