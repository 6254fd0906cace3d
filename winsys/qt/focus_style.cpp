// Focus marks drawn over the base style's own controls.
#include "winsys/qt/focus_style.h"

#include <QAbstractScrollArea>
#include <QPainter>
#include <QPushButton>
#include <QStyleOption>

#include "winsys/qt/tile_row.h"

namespace velmarto::winsys::qt {
namespace {

// How far inside a push button its focus rectangle lies, clear of the button's rounded edge.
constexpr int kButtonFocusInset = 4;
constexpr int kAreaFocusWidth = 2;

bool Focused(const QStyleOption& option) {
    return (option.state & QStyle::State_HasFocus) && (option.state & QStyle::State_Enabled);
}

}  // namespace

void FocusStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                             const QWidget* widget) const {
    QProxyStyle::drawControl(element, option, painter, widget);
    // A tile button draws its own focus frame around its character.
    if (element != CE_PushButton || !Focused(*option) || qobject_cast<const TileButton*>(widget)) {
        return;
    }
    painter->save();
    painter->setPen(QPen(option->palette.color(QPalette::ButtonText), 1, Qt::DotLine));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(option->rect.adjusted(kButtonFocusInset, kButtonFocusInset,
                                            -kButtonFocusInset - 1, -kButtonFocusInset - 1));
    painter->restore();
}

void FocusStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                               QPainter* painter, const QWidget* widget) const {
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    if (element != PE_Frame || !Focused(*option) ||
        !qobject_cast<const QAbstractScrollArea*>(widget)) {
        return;
    }
    painter->save();
    painter->setPen(QPen(option->palette.color(QPalette::Highlight), kAreaFocusWidth));
    painter->setBrush(Qt::NoBrush);
    const int half = kAreaFocusWidth / 2;
    painter->drawRect(option->rect.adjusted(half, half, -half, -half));
    painter->restore();
}

}  // namespace velmarto::winsys::qt
