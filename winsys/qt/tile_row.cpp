// Faces are the SVG files of res/tiles, compiled in as resources and drawn by Qt's SVG module at
// the size asked for.
#include "winsys/qt/tile_row.h"

#include <QPainter>
#include <QPen>
#include <QSvgRenderer>
#include <map>
#include <memory>

#include "winsys/tile_faces.h"

namespace velmarto::winsys::qt {
namespace {

constexpr int kFocusFrameWidth = 2;
constexpr int kPressedShift = 1;
// A disabled button's face is drawn this opaque.
constexpr double kDisabledOpacity = 0.4;

// One renderer a face, made when the face is first drawn.
QSvgRenderer& Renderer(const std::string& name) {
    static std::map<std::string, std::unique_ptr<QSvgRenderer>> renderers;
    std::unique_ptr<QSvgRenderer>& renderer = renderers[name];
    if (!renderer) {
        renderer = std::make_unique<QSvgRenderer>(
            QStringLiteral(":/tiles/%1.svg").arg(QString::fromStdString(name)));
    }
    return *renderer;
}

void DrawFace(QPainter& painter, const FacePlace& place) {
    if (!place.name.empty()) {
        Renderer(place.name).render(&painter, QRectF(place.x, place.y, place.width, place.height));
    }
}

}  // namespace

QString TileText(char32_t glyph) {
    return QString::fromUcs4(&glyph, 1);
}

TileRow::TileRow(QWidget* parent) : QWidget(parent) {}

void TileRow::SetTiles(std::vector<TileFace> tiles) {
    m_tiles = std::move(tiles);
    update();
}

void TileRow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    for (const FacePlace& place : LayOutTileRow(m_tiles, width(), height())) {
        DrawFace(painter, place);
    }
}

// The face is the button: it fills the button's height, framed over its edge in the highlight
// colour while focused, and moves down a pixel while pressed.
void TileButton::paintEvent(QPaintEvent*) {
    const QString label = text();
    if (label.isEmpty()) {
        return;
    }
    QPainter painter(this);
    FacePlace place =
        CentreFace(TileFaceName(label.toUcs4().value(0), m_red), 0, 0, width(), height());
    const QRectF frame(place.x, place.y, place.width, place.height);
    if (isDown()) {
        place.y += kPressedShift;
    }
    painter.setOpacity(isEnabled() ? 1.0 : kDisabledOpacity);
    DrawFace(painter, place);
    if (hasFocus()) {
        painter.setOpacity(1.0);
        painter.setPen(QPen(palette().color(QPalette::Highlight), kFocusFrameWidth));
        const double half = kFocusFrameWidth / 2.0;
        painter.drawRect(frame.adjusted(half, half, -half, -half));
    }
}

}  // namespace velmarto::winsys::qt
