#include "app/clientarea.h"

#include "app/gradient.h"
#include "app/layout.h"
#include "platform/widgets/look.h"
#include "platform/widgets/twips.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace app {

using platform::toPixelsF;
using platform::twipsPerPixel;

namespace {

// The window as PaintGradient sees it: sizes in twips, boxes drawn filled.
class PaintTarget : public GradientTarget
{
public:
    PaintTarget(QWidget& client, QPainter& painter) : m_client(client), m_painter(painter) {}

    double scaleWidth() const override { return m_client.width() * twipsPerPixel; }
    double scaleHeight() const override { return m_client.height() * twipsPerPixel; }
    // The outer size: the frame around the window, and the window down to the
    // client area's bottom edge. Taken from the client area, it already holds
    // while the window is still catching up with a new display mode.
    double width() const override { return outer().width() * twipsPerPixel; }
    double height() const override { return outer().height() * twipsPerPixel; }

    // A box covers every pixel that holds one of its twips, both corners
    // included, so that neighbouring bands meet without a gap.
    void drawBox(const GradientBox& box) override
    {
        const auto pixel = [](double twips) {
            return static_cast<int>(std::floor(twips / twipsPerPixel));
        };
        const QPoint a(pixel(std::min(box.x1, box.x2)), pixel(std::min(box.y1, box.y2)));
        const QPoint b(pixel(std::max(box.x1, box.x2)), pixel(std::max(box.y1, box.y2)));
        m_painter.fillRect(QRect(a, b), QColor(box.red, box.green, box.blue));
    }

private:
    QSize outer() const
    {
        const QWidget* window = m_client.window();
        const QSize frame = window->frameGeometry().size() - window->size();
        const QPoint corner = m_client.mapTo(window, QPoint(m_client.width(), m_client.height()));
        return QSize(corner.x(), corner.y()) + frame;
    }

    QWidget& m_client;
    QPainter& m_painter;
};

} // namespace

ClientArea::ClientArea(QWidget* parent) : QWidget(parent)
{
    // The fixed light colours of the boxes and the background are a design:
    // the texts on them keep the light palette's colours under a dark desktop
    // theme too, where its near-white text would fade into the light boxes.
    setPalette(platform::lightPalette());
}

void ClientArea::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), windowBackground);
    PaintTarget target(*this, painter);
    PaintGradient(target, 1, 100, 0, 255, 1, 0, -1);

    painter.setRenderHint(QPainter::Antialiasing);
    for (const Line& line : lines()) {
        painter.setPen(QPen(line.colour, line.widthPixels));
        painter.drawLine(QPointF(toPixelsF(line.x1), toPixelsF(line.y1)),
                         QPointF(toPixelsF(line.x2), toPixelsF(line.y2)));
    }
}

} // namespace app
