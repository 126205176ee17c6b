// The picture of the view that "Copy to clipboard" puts on the clipboard.
#pragma once

#include <QImage>
#include <QPoint>

namespace morvane {

// Width of the copied picture for a host panel `panelWidth` pixels wide: 1100 + 32 k by the stepped rule
// (1134 -> 1132, 1135 -> 1132, 1102 -> 1100), then never wider than the panel, so nothing outside the view is read.
int clipboardPictureWidth(int panelWidth);

// The view picture cut to width x height (logical pixels) from its top-left corner, with the legend drawn over it at
// the legend's position within the panel when the legend is visible. The picture has the view's device pixels: at a
// pixel ratio of 2 it is 2 width x 2 height.
QImage composeClipboardPicture(const QImage& view, int width, int height, const QImage& legend, QPoint legendPos,
                               bool legendVisible);

}  // namespace morvane
