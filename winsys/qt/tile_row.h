// A row of mahjong tiles drawn from the tile font, red fives in red.
#pragma once

#include <QPushButton>
#include <QWidget>
#include <vector>

#include "winsys/dialog_template.h"

namespace velmarto::winsys::qt {

class TileRow : public QWidget {
    Q_OBJECT

public:
    explicit TileRow(QWidget* parent);

    void SetTiles(std::vector<TileFace> tiles);
    const std::vector<TileFace>& Tiles() const { return m_tiles; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<TileFace> m_tiles;
};

// A palette button: its tile character, and a frame in the highlight colour while it has the
// focus, which the style's own focus mark hides behind a large character.
class TileButton : public QPushButton {
    Q_OBJECT

public:
    TileButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {}

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The font the tile characters are drawn in, as tall as `pixelHeight`.
QFont TileFont(int pixelHeight);

// A tile character as a Qt string (it lies outside the Basic Multilingual Plane).
QString TileText(char32_t glyph);

}  // namespace velmarto::winsys::qt
