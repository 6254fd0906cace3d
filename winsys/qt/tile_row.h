// A row of mahjong tiles and the tile buttons, drawn with the tile faces of res/tiles.
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

// A tile button: its text is the tile character, which names it to the program, and it shows
// that tile's face, framed in the highlight colour while it has the focus.
class TileButton : public QPushButton {
    Q_OBJECT

public:
    TileButton(const QString& text, bool red, QWidget* parent)
        : QPushButton(text, parent), m_red(red) {}

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_red;  // a red five
};

// A tile character as a Qt string (it lies outside the Basic Multilingual Plane).
QString TileText(char32_t glyph);

}  // namespace velmarto::winsys::qt
