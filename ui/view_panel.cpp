#include "ui/view_panel.h"

#include <algorithm>
#include <functional>

#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "ui/property_legend.h"

namespace morvane {

// The vertical exaggeration slider: a bar dragged up and down.
class ExaggerationSlider final : public QFrame {
public:
    explicit ExaggerationSlider(QWidget* parent) : QFrame(parent) {}
    std::function<void(int y)> onPress;
    std::function<void(Qt::MouseButtons buttons)> onMove;
    std::function<void()> onRelease;

protected:
    void mousePressEvent(QMouseEvent* event) override { onPress(event->position().toPoint().y()); }
    void mouseMoveEvent(QMouseEvent* event) override { onMove(event->buttons()); }
    void mouseReleaseEvent(QMouseEvent*) override { onRelease(); }
    // A double click is no press of the slider.
    void mouseDoubleClickEvent(QMouseEvent* event) override { QWidget::mousePressEvent(event); }
};

namespace {

// The slider's left edge lies this far from the panel's right edge; the north arrow and the axes this far.
constexpr int kSliderInset = 199;
constexpr int kPictureInset = 210;

QPixmap northArrowPicture()
{
    QPixmap pixmap(40, 48);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(230, 230, 230, 200));
    const QPointF arrow[] = {{20, 14}, {30, 44}, {20, 36}, {10, 44}};
    painter.drawPolygon(arrow, 4);
    painter.setPen(QColor(230, 230, 230));
    painter.drawText(QRect(0, 0, 40, 14), Qt::AlignCenter, QStringLiteral("N"));
    return pixmap;
}

QPixmap axesPicture()
{
    QPixmap pixmap(40, 40);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(220, 80, 80), 2));
    painter.drawLine(6, 34, 34, 34);
    painter.setPen(QPen(QColor(80, 200, 80), 2));
    painter.drawLine(6, 34, 6, 6);
    return pixmap;
}

QLabel* picture(const char* name, const QPixmap& pixmap, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setPixmap(pixmap);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->adjustSize();
    return label;
}

}  // namespace

ViewPanel::ViewPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("viewPanel"));
    setAttribute(Qt::WA_StyledBackground, true);
    setMouseTracking(true);
    setMinimumSize(200, 200);

    legend_ = new PropertyLegend(this);
    legend_->hide();

    slider_ = new ExaggerationSlider(this);
    slider_->setObjectName(QStringLiteral("exaggerationSlider"));
    slider_->setFixedSize(40, 270);
    slider_->setStyleSheet(QStringLiteral("#exaggerationSlider { background-color: rgb(112,128,144); }"));
    slider_->setCursor(Qt::SizeVerCursor);
    slider_->move(0, 200);
    slider_->onPress = [this](int y) { emit sliderPressed(y); };
    slider_->onMove = [this](Qt::MouseButtons buttons) { emit sliderMoved(buttons); };
    slider_->onRelease = [this] { emit sliderReleased(); };
    exaggerationLabel_ = new QLabel(this);
    exaggerationLabel_->setObjectName(QStringLiteral("exaggerationLabel"));
    exaggerationLabel_->setStyleSheet(
        QStringLiteral("#exaggerationLabel { color: rgb(230,230,230); font-weight: bold; }"));
    exaggerationLabel_->setAttribute(Qt::WA_TransparentForMouseEvents);

    northArrow_ = picture("northArrow", northArrowPicture(), this);
    axes_ = picture("axes", axesPicture(), this);
}

void ViewPanel::setBackground(const std::array<int, 3>& rgb, const QColor& legendText)
{
    const QString style = QStringLiteral("background-color: rgb(%1,%2,%3);").arg(rgb[0]).arg(rgb[1]).arg(rgb[2]);
    setStyleSheet(QStringLiteral("#viewPanel { %1 }").arg(style));
    legend_->setBackground(QColor(rgb[0], rgb[1], rgb[2]), legendText);
}

void ViewPanel::showExaggeration(float exaggeration)
{
    exaggerationLabel_->setText(QStringLiteral("\u00D7") + QString::number(exaggeration, 'f', 1));
    exaggerationLabel_->adjustSize();
    exaggerationLabel_->move(slider_->x() - exaggerationLabel_->width() - 4, slider_->y());
}

void ViewPanel::placeSlider(int top) { slider_->move(width() - kSliderInset, top); }

int ViewPanel::sliderLeft() const { return slider_->x(); }

int ViewPanel::sliderTop() const { return slider_->y(); }

void ViewPanel::setSliderTip(const QString& tip) { slider_->setToolTip(tip); }

void ViewPanel::placeOverlays()
{
    placeSlider(slider_->y());
    northArrow_->move(width() - kPictureInset, 50);
    // At 600 from the top, or higher up on a short view so that it stays in sight.
    axes_->move(width() - kPictureInset, std::max(0, std::min(600, height() - axes_->height() - 10)));
}

void ViewPanel::mouseMoveEvent(QMouseEvent* event)
{
    emit pointerMoved(event->buttons(), event->globalPosition().toPoint());
}

void ViewPanel::mousePressEvent(QMouseEvent* event)
{
    emit pressed(event->button(), event->position().toPoint(), event->modifiers());
}

void ViewPanel::mouseDoubleClickEvent(QMouseEvent* event)
{
    emit doubleClicked(event->button(), event->position().toPoint());
}

void ViewPanel::mouseReleaseEvent(QMouseEvent* event) { emit released(event->button()); }

void ViewPanel::wheelEvent(QWheelEvent* event) { emit wheelTurned(event->angleDelta().y()); }

void ViewPanel::enterEvent(QEnterEvent* event)
{
    QWidget::enterEvent(event);
    emit entered();
}

void ViewPanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    emit resized();
}

}  // namespace morvane
