// Tiles are characters of the Mahjong Tiles block; the fonts below are the ones that have them.
#include "winsys/qt/tile_row.h"

#include <QPainter>
#include <QPen>
#include <QStringList>
#include <algorithm>

namespace velmarto::winsys::qt {
namespace {

// Symbola and Noto Sans Symbols 2 on Linux, Segoe UI Symbol on Windows.
const QStringList kTileFamilies = {"Symbola", "Noto Sans Symbols 2", "Segoe UI Symbol"};
const QColor kRedFive(0xC6, 0x28, 0x28);
// A gap between called sets is a third of a tile wide.
constexpr int kGapDivisor = 3;
constexpr int kFocusFrameWidth = 2;
constexpr int kFocusFrameInset = 2;

}  // namespace

QFont TileFont(int pixelHeight) {
    QFont font;
    font.setFamilies(kTileFamilies);
    font.setPixelSize(pixelHeight);
    return font;
}

QString TileText(char32_t glyph) {
    return QString::fromUcs4(&glyph, 1);
}

TileRow::TileRow(QWidget* parent) : QWidget(parent) {}

void TileButton::paintEvent(QPaintEvent* event) {
    QPushButton::paintEvent(event);
    if (!hasFocus()) {
        return;
    }
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::Highlight), kFocusFrameWidth));
    const int inset = kFocusFrameInset + kFocusFrameWidth / 2;
    painter.drawRect(rect().adjusted(inset, inset, -inset, -inset));
}

void TileRow::SetTiles(std::vector<TileFace> tiles) {
    m_tiles = std::move(tiles);
    update();
}

namespace {

// The width of the row in `font`.
int RowWidth(const std::vector<TileFace>& tiles, const QFont& font) {
    const QFontMetrics metrics(font);
    int width = 0;
    for (const TileFace& face : tiles) {
        width += face.glyph == 0 ? metrics.height() / kGapDivisor
                                 : metrics.horizontalAdvance(TileText(face.glyph));
    }
    return width;
}

// As large as the row's height allows, smaller where the tiles would not fit its width.
QFont FittingFont(const std::vector<TileFace>& tiles, QSize size) {
    int pixels = size.height();
    const int lineHeight = QFontMetrics(TileFont(pixels)).height();
    pixels = pixels * size.height() / std::max(lineHeight, 1);
    const int width = RowWidth(tiles, TileFont(pixels));
    if (width > size.width()) {
        pixels = pixels * size.width() / width;
    }
    return TileFont(pixels);
}

}  // namespace

void TileRow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QFont font = FittingFont(m_tiles, size());
    painter.setFont(font);
    const QFontMetrics metrics(font);
    int x = 0;
    for (const TileFace& face : m_tiles) {
        if (face.glyph == 0) {
            x += metrics.height() / kGapDivisor;
            continue;
        }
        const QString text = TileText(face.glyph);
        painter.setPen(face.red ? kRedFive : palette().color(QPalette::WindowText));
        painter.drawText(x, metrics.ascent(), text);
        x += metrics.horizontalAdvance(text);
    }
}

}  // namespace velmarto::winsys::qt
