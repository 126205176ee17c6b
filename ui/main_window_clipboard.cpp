// Copy the picture of the view, with the legend when it is shown, to the clipboard.
#include <QApplication>
#include <QClipboard>
#include <QGroupBox>

#include "ui/clipboard_picture.h"
#include "ui/gl_view.h"
#include "ui/main_window.h"
#include "ui/property_legend.h"

namespace morvane {

int MainWindow::clipboardWidth() const { return clipboardPictureWidth(splitContainer1_Panel2->width()); }

void MainWindow::toolStripButton14_Click()
{
    const int height = splitContainer1_Panel2->height();
    const int width = clipboardWidth();
    trace(std::to_string(height));
    trace(std::to_string(splitContainer1_Panel2->width()));
    if (!OpenGL || width <= 0 || height <= 0) return;

    const QImage view = OpenGL->grabFramebuffer();
    const QImage legend = propLegend->grab().toImage();
    const QImage picture =
        composeClipboardPicture(view, width, height, legend, propLegend->pos(), propLegend->isVisible());
    QApplication::clipboard()->setImage(picture);
}

}  // namespace morvane
