#pragma once

#include <QFont>
#include <QPalette>
#include <QProxyStyle>

namespace platform {

// The face every caption and box asks for: "MS Sans Serif", bold, at the
// given size. Liberation Sans is metric-compatible with the usual Windows
// sans serif and stands in where the original face is missing.
QFont captionFont(double points, bool underline = false);

// The colours behind the window's fixed ones: the style's standard light
// palette, whatever the desktop's theme, with a selection dark enough for its
// white text. Every role is set, so a change of the desktop's palette leaves
// a widget that carries it untouched.
QPalette lightPalette();

// Fusion, with push buttons drawn on a flat face in the palette's button
// colour instead of a gradient, and a keyboard focus mark that can be seen:
// a white ring around a black one.
class FlatButtonStyle : public QProxyStyle
{
    Q_OBJECT
public:
    FlatButtonStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
};

// A new FlatButtonStyle, for QApplication::setStyle, which takes it over.
QStyle* flatButtonStyle();

} // namespace platform
