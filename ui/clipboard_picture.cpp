#include "ui/clipboard_picture.h"

#include <algorithm>

#include <QPainter>

namespace morvane {

int clipboardPictureWidth(int panelWidth)
{
    int width = 1100;
    for (int c = 1134; c <= 4110; c += 32) {
        if (panelWidth > c - 32 && panelWidth < c) width = c - 34;
        if (panelWidth == c) width = c - 2;
    }
    return std::max(0, std::min(width, panelWidth));
}

QImage composeClipboardPicture(const QImage& view, int width, int height, const QImage& legend, QPoint legendPos,
                               bool legendVisible)
{
    // The view's picture is in device pixels; the panel's sizes and the legend's place are in logical pixels. The
    // copy keeps the device resolution, so it holds the same part of the view at any pixel ratio.
    const qreal ratio = view.isNull() ? 1.0 : view.devicePixelRatio();
    const QSize device(std::max(1, qRound(width * ratio)), std::max(1, qRound(height * ratio)));
    QImage picture(device, QImage::Format_RGB888);
    picture.fill(Qt::black);
    picture.setDevicePixelRatio(ratio);
    QPainter painter(&picture);
    painter.drawImage(QRectF(0, 0, width, height), view, QRectF(0, 0, width * ratio, height * ratio));
    if (legendVisible && !legend.isNull()) painter.drawImage(legendPos, legend);  // at its own pixel ratio
    painter.end();
    picture.setDevicePixelRatio(1.0);
    return picture;
}

}  // namespace morvane
