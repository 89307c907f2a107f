#include "platform/look.h"

#include <QStringList>

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

} // namespace platform
