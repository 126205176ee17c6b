#include "ui/status_icons.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

namespace morvane {

QPixmap statusIcon(StatusIcon icon, int size)
{
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    QPixmap pixmap(QSize(size, size) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);

    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // Drawn on a 16 x 16 grid, scaled to the asked size.
    p.scale(size / 16.0, size / 16.0);
    const QPen outline(QColor(40, 40, 40), 1.0);
    QPen mark(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);

    switch (icon) {
    case StatusIcon::OK:
        p.setPen(outline);
        p.setBrush(QColor(46, 160, 67));
        p.drawEllipse(QRectF(0.75, 0.75, 14.5, 14.5));
        p.setPen(mark);
        p.drawPolyline(QPolygonF({QPointF(4.2, 8.3), QPointF(6.9, 11.0), QPointF(11.9, 5.2)}));
        break;
    case StatusIcon::Attention: {
        QPainterPath triangle;
        triangle.moveTo(8.0, 0.9);
        triangle.lineTo(15.3, 14.6);
        triangle.lineTo(0.7, 14.6);
        triangle.closeSubpath();
        p.setPen(outline);
        p.setBrush(QColor(245, 181, 30));
        p.drawPath(triangle);
        mark.setColor(QColor(30, 30, 30));
        mark.setWidthF(2.0);
        p.setPen(mark);
        p.drawLine(QPointF(8.0, 5.4), QPointF(8.0, 9.6));
        p.drawPoint(QPointF(8.0, 12.3));
        break;
    }
    case StatusIcon::Error:
        p.setPen(outline);
        p.setBrush(QColor(215, 48, 39));
        p.drawEllipse(QRectF(0.75, 0.75, 14.5, 14.5));
        p.setPen(mark);
        p.drawLine(QPointF(5.2, 5.2), QPointF(10.8, 10.8));
        p.drawLine(QPointF(10.8, 5.2), QPointF(5.2, 10.8));
        break;
    }
    return pixmap;
}

}  // namespace morvane
