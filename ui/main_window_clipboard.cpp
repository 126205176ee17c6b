// Copy the picture of the view, with the legend when it is shown, to the clipboard.
#include <QApplication>
#include <QClipboard>
#include <QGroupBox>

#include "ui/clipboard_picture.h"
#include "ui/gl_view.h"
#include "ui/main_window.h"
#include "ui/property_legend.h"
#include "ui/view_panel.h"

namespace morvane {

int MainWindow::clipboardWidth() const { return clipboardPictureWidth(viewPanel_->width()); }

void MainWindow::copyViewToClipboard()
{
    const int height = viewPanel_->height();
    const int width = clipboardWidth();
    trace(std::to_string(height));
    trace(std::to_string(viewPanel_->width()));
    if (!glView_ || width <= 0 || height <= 0) return;

    const QImage view = glView_->grabFramebuffer();
    PropertyLegend& shownLegend = legend();
    const QImage picture = composeClipboardPicture(view, width, height, shownLegend.grab().toImage(), shownLegend.pos(),
                                                   shownLegend.isVisible());
    QApplication::clipboard()->setImage(picture);
}

}  // namespace morvane
