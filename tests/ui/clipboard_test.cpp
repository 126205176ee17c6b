// Copying the view to the clipboard: the width rule, the cap at the panel, the legend composed in.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QPainter>
#include <QSplitter>
#include <QtTest/QTest>

#include "tests/support/ui_harness.h"
#include "ui/clipboard_picture.h"
#include "ui/main_window.h"

namespace morvane {
namespace {

TEST(ClipboardWidth, SteppedRuleCappedAtThePanel)
{
    EXPECT_EQ(clipboardPictureWidth(1102), 1100);
    EXPECT_EQ(clipboardPictureWidth(1103), 1100);  // 1102 < 1103 < 1134: 1134 - 34
    EXPECT_EQ(clipboardPictureWidth(1133), 1100);
    EXPECT_EQ(clipboardPictureWidth(1134), 1132);
    EXPECT_EQ(clipboardPictureWidth(1135), 1132);
    EXPECT_EQ(clipboardPictureWidth(1166), 1164);
    EXPECT_EQ(clipboardPictureWidth(4110), 4108);
    EXPECT_EQ(clipboardPictureWidth(5000), 1100);  // beyond the table
    // Narrow panels: the picture never reaches past the view.
    EXPECT_EQ(clipboardPictureWidth(1101), 1100);
    EXPECT_EQ(clipboardPictureWidth(900), 900);
    EXPECT_EQ(clipboardPictureWidth(0), 0);
}

TEST(ClipboardPicture, LegendIsDrawnOnlyWhenShown)
{
    QImage view(200, 100, QImage::Format_RGB32);
    view.fill(QColor(51, 76, 76));
    QImage legend(20, 10, QImage::Format_RGB32);
    legend.fill(Qt::yellow);

    const QImage with = composeClipboardPicture(view, 150, 100, legend, QPoint(30, 40), true);
    EXPECT_EQ(with.size(), QSize(150, 100));
    EXPECT_EQ(with.pixelColor(35, 45), QColor(Qt::yellow));
    EXPECT_EQ(with.pixelColor(10, 10), QColor(51, 76, 76));
    const QImage without = composeClipboardPicture(view, 150, 100, legend, QPoint(30, 40), false);
    EXPECT_EQ(without.pixelColor(35, 45), QColor(51, 76, 76));
}

// On a screen of pixel ratio 2 the view's picture has twice as many pixels each way as the panel: the copy holds
// the whole width x height of the view and the legend at its place, not the view's top-left quarter.
TEST(ClipboardPicture, HoldsTheWholeViewAtAPixelRatioOfTwo)
{
    QImage view(400, 200, QImage::Format_RGB32);
    view.fill(Qt::red);
    QPainter(&view).fillRect(QRect(200, 100, 200, 100), Qt::blue);  // the bottom-right quarter
    view.setDevicePixelRatio(2.0);
    QImage legend(40, 20, QImage::Format_RGB32);
    legend.fill(Qt::yellow);
    legend.setDevicePixelRatio(2.0);

    const QImage picture = composeClipboardPicture(view, 200, 100, legend, QPoint(30, 40), true);
    ASSERT_EQ(picture.size(), QSize(400, 200));
    EXPECT_EQ(picture.pixelColor(10, 10), QColor(Qt::red));
    EXPECT_EQ(picture.pixelColor(390, 190), QColor(Qt::blue));
    EXPECT_EQ(picture.pixelColor(70, 90), QColor(Qt::yellow));  // logical (35, 45)
    EXPECT_EQ(picture.pixelColor(110, 90), QColor(Qt::red));    // right of the legend's 20 logical pixels
}

// The clipboard may pass the picture through another pixel format: compare colours loosely.
bool nearColour(QColor a, QColor b)
{
    return std::abs(a.red() - b.red()) <= 8 && std::abs(a.green() - b.green()) <= 8 &&
           std::abs(a.blue() - b.blue()) <= 8;
}

// Sizes the host panel to `width` pixels by moving the splitter.
int setPanelWidth(MainWindow& form, int width)
{
    QSplitter* split = form.findChild<QSplitter*>("mainSplitter");
    const int total = split->width() - split->handleWidth();
    split->setSizes({total - width, width});
    QApplication::processEvents();
    return form.findChild<QWidget*>("viewPanel")->width();
}

TEST(ClipboardWindow, CopiesTheViewWithTheLegendAtItsPlace)
{
    testing::resetProgramState();
    MainWindow form(testing::state());
    form.resize(1900, 900);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

    for (const auto& [panel, expected] : {std::pair{1135, 1132}, std::pair{1134, 1132}, std::pair{1102, 1100}}) {
        ASSERT_EQ(setPanelWidth(form, panel), panel);
        EXPECT_EQ(form.clipboardWidth(), expected);
    }

    auto* legend = form.findChild<QGroupBox*>("propertyLegend");
    form.findChild<QAction*>("legendCommand")->trigger();
    ASSERT_TRUE(legend->isVisible());
    legend->setStyleSheet("#propertyLegend { background-color: rgb(250, 10, 200); }");
    QApplication::processEvents();
    form.onFrameTimer();

    QApplication::clipboard()->clear();
    form.findChild<QAction*>("copyPictureCommand")->trigger();
    const QImage picture = QApplication::clipboard()->image();
    ASSERT_FALSE(picture.isNull());
    // In device pixels (CTest runs this window test at a pixel ratio of 2 too, QT_SCALE_FACTOR=2).
    const qreal ratio = form.devicePixelRatioF();
    EXPECT_EQ(picture.width(), qRound(1100 * ratio));
    EXPECT_EQ(picture.height(), qRound(form.findChild<QWidget*>("viewPanel")->height() * ratio));
    const QPoint inside = (legend->pos() + QPoint(legend->width() / 2, legend->height() - 5)) * ratio;
    EXPECT_TRUE(nearColour(picture.pixelColor(inside), QColor(250, 10, 200)))
        << picture.pixelColor(inside).name().toStdString();
    // Away from the legend the view's background is there.
    const auto& bg = testing::state().view.display.background;
    EXPECT_TRUE(nearColour(picture.pixelColor(picture.width() - 5, picture.height() - 5), QColor(bg[0], bg[1], bg[2])));
}

}  // namespace
}  // namespace morvane

int main(int argc, char** argv) { return morvane::testing::runUiTests(argc, argv); }
