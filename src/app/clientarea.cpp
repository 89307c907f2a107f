#include "clientarea.h"

#include "layout.h"
#include "twips.h"

#include <QPainter>

namespace app {

ClientArea::ClientArea(QWidget* parent) : QWidget(parent) {}

void ClientArea::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), windowBackground);
    for (const Line& line : lines()) {
        painter.setPen(QPen(line.colour, line.widthPixels));
        painter.drawLine(QPointF(toPixelsF(line.x1), toPixelsF(line.y1)),
                         QPointF(toPixelsF(line.x2), toPixelsF(line.y2)));
    }
}

} // namespace app
