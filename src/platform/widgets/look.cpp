#include "platform/widgets/look.h"

#include <QPainter>
#include <QPushButton>
#include <QStringList>
#include <QStyleFactory>
#include <QStyleOption>

#include <memory>

namespace platform {

QFont captionFont(double points, bool underline)
{
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans")});
    font.setPointSizeF(points);
    font.setWeight(QFont::Bold);
    font.setItalic(false);
    font.setUnderline(underline);
    return font;
}

QPalette lightPalette()
{
    std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    QPalette palette = fusion->standardPalette();
    for (int group = 0; group < QPalette::NColorGroups; ++group) {
        const auto g = static_cast<QPalette::ColorGroup>(group);
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            const auto r = static_cast<QPalette::ColorRole>(role);
            palette.setBrush(g, r, palette.brush(g, r));
        }
        // Navy under white: 16:1, where the standard blue gives 3.7:1.
        palette.setColor(g, QPalette::Highlight, QColor(0, 0, 128));
        palette.setColor(g, QPalette::HighlightedText, QColor(255, 255, 255));
    }
    return palette;
}

FlatButtonStyle::FlatButtonStyle() : QProxyStyle(QStringLiteral("Fusion")) {}

QStyle* flatButtonStyle()
{
    return new FlatButtonStyle;
}

void FlatButtonStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                    QPainter* painter, const QWidget* widget) const
{
    // The ring below marks the focus of a push button instead of Fusion's faint one.
    if (const auto* push = qobject_cast<const QPushButton*>(widget);
        element == PE_FrameFocusRect && push && !push->isFlat())
        return;
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
    if (element != PE_PanelButtonCommand || !button ||
        (button->features & QStyleOptionButton::Flat))
        return;
    // Fusion's outline is the outermost pixel; everything inside it becomes
    // the face. Pressed, it darkens as Fusion's does.
    const bool down = option->state & (State_Sunken | State_On);
    const QColor face = option->palette.color(QPalette::Button);
    painter->fillRect(option->rect.adjusted(1, 1, -1, -1), down ? face.darker(110) : face);
    // Keyboard focus, as Fusion shows it: a white ring in place of the outline and a black one
    // inside it, each a pixel wide. One of the two stands out against any face and any
    // background (white against the window's gradient, black against the grey face: 3:1 and
    // more), and the two against each other.
    if ((option->state & State_HasFocus) && (option->state & State_KeyboardFocusChange)) {
        const QRect outer = option->rect;
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->setBrush(Qt::NoBrush);
        painter->setPen(QPen(Qt::white, 0));
        painter->drawRect(outer.adjusted(0, 0, -1, -1));
        painter->setPen(QPen(Qt::black, 0));
        painter->drawRect(outer.adjusted(1, 1, -2, -2));
        painter->restore();
    }
}

} // namespace platform
