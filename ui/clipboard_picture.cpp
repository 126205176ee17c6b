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
    QImage picture(std::max(width, 1), std::max(height, 1), QImage::Format_RGB888);
    picture.fill(Qt::black);
    QPainter painter(&picture);
    painter.drawImage(QPoint(0, 0), view, QRect(0, 0, width, height));
    if (legendVisible && !legend.isNull()) painter.drawImage(legendPos, legend);
    painter.end();
    return picture;
}

}  // namespace morvane
