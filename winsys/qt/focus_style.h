// The application's style with a focus mark that the default button's look cannot be taken for.
#pragma once

#include <QProxyStyle>

namespace velmarto::winsys::qt {

// The platform's style, plus a dotted rectangle inside a focused push button (the default
// button is only tinted, so the two stay apart) and a frame in the highlight colour around a
// focused text area, which otherwise shows only its caret.
class FocusStyle : public QProxyStyle {
    Q_OBJECT

public:
    using QProxyStyle::QProxyStyle;

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;
};

}  // namespace velmarto::winsys::qt
