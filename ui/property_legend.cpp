#include "ui/property_legend.h"

#include <algorithm>
#include <functional>
#include <utility>

#include <QFontMetrics>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>

#include "ui/color_button.h"

namespace morvane {

namespace {

QColor qcolour(const Rgb255& c) { return QColor(c.r, c.g, c.b); }

QFont legendFont()
{
    QFont font(QStringLiteral("Microsoft Sans Serif"));
    font.setPointSizeF(9.75);
    font.setItalic(true);
    return font;
}

// A panel painted by the legend (the two halves of the ramp).
class GradientPanel final : public QWidget {
public:
    using Paint = std::function<void(QPainter&, int, int)>;
    GradientPanel(const char* name, Paint paint, QWidget* parent) : QWidget(parent), paint_(std::move(paint))
    {
        setObjectName(QString::fromLatin1(name));
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        paint_(painter, width(), height());
    }

private:
    Paint paint_;
};

// A label or a bar that reports a left click.
template <class Base>
class Clickable final : public Base {
public:
    explicit Clickable(QWidget* parent) : Base(parent) {}
    std::function<void()> onClick;

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton && onClick) {
            onClick();
            event->accept();
            return;
        }
        Base::mousePressEvent(event);
    }
};

void paintGradient(QPainter& painter, int width, int height, const Rgb255& top, const Rgb255& bottom)
{
    QLinearGradient gradient(0, 0, 0, height);
    gradient.setColorAt(0, qcolour(top));
    gradient.setColorAt(1, qcolour(bottom));
    painter.fillRect(0, 0, width, height, gradient);
}

}  // namespace

PropertyLegend::PropertyLegend(QWidget* parent) : QGroupBox(parent)
{
    setObjectName(QStringLiteral("propertyLegend"));
    setTitle(QStringLiteral("Свойство"));
    setFont(legendFont());
    setAttribute(Qt::WA_StyledBackground, true);
    setContentsMargins(4, 4, 4, 4);
    setGeometry(Left, Top, InitialWidth, InitialHeight);
    setBackground(QColor(51, 76, 76));
}

void PropertyLegend::setBackground(const QColor& colour, const QColor& text)
{
    setStyleSheet(QStringLiteral("#propertyLegend { background-color: rgb(%1,%2,%3); color: %4; }"
                                 " #propertyLegend QLabel { color: %4; background: transparent; }")
                      .arg(colour.red())
                      .arg(colour.green())
                      .arg(colour.blue())
                      .arg(text.name()));
}

void PropertyLegend::clearContent()
{
    // A control may be rebuilding the legend from its own click or colour change: it goes once that has returned.
    for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        w->hide();
        w->setParent(nullptr);
        w->deleteLater();
    }
    discrete_ = false;
}

void PropertyLegend::showContinuous(const ContinuousLegend& legend)
{
    clearContent();
    ramp_ = legend;

    struct Picker {
        const char* name;
        int stop, y;
        Rgb255 colour;
    };
    for (const Picker& p :
         {Picker{"highColourPicker", 3, 33, legend.high}, Picker{"middleColourPicker", 2, 96, legend.middle},
          Picker{"lowColourPicker", 1, 160, legend.low}}) {
        auto* picker = new ColorButton({}, this);
        picker->setObjectName(QString::fromLatin1(p.name));
        picker->setGeometry(115, p.y, 35, 15);
        picker->setIconSize(QSize(0, 0));
        {
            QSignalBlocker quiet(picker);
            picker->setSelectedColor(qcolour(p.colour));
        }
        picker->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; border: 1px solid #202020;"
                                             " border-radius: 5px; }")
                                  .arg(qcolour(p.colour).name()));
        const int stop = p.stop;
        connect(picker, &ColorButton::selectedColorChanged, this,
                [this, stop](const QColor& colour) { emit rampColourPicked(stop, colour); });
        picker->show();
    }

    auto* upperRamp = new GradientPanel(
        "upperRamp", [this](QPainter& painter, int w, int h) { paintUpperRamp(painter, w, h); }, this);
    upperRamp->setGeometry(77, 39, 35, 65);
    auto* lowerRamp = new GradientPanel(
        "lowerRamp", [this](QPainter& painter, int w, int h) { paintLowerRamp(painter, w, h); }, this);
    lowerRamp->setGeometry(77, 104, 35, 65);

    auto limitLabel = [this](const char* name, const std::string& text, int y, bool upper) {
        auto* label = new Clickable<QLabel>(this);
        label->onClick = [this, upper] { emit limitClicked(upper); };
        label->setObjectName(QString::fromLatin1(name));
        label->setText(QString::fromStdString(text));
        label->setCursor(Qt::PointingHandCursor);
        label->move(19, y);
        label->adjustSize();
    };
    limitLabel("upperLimitLabel", legend.maxText, 30, true);
    limitLabel("lowerLimitLabel", legend.minText, 155, false);

    for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) w->show();
    fitToContent();
}

void PropertyLegend::showDiscrete(const DiscreteLegend& legend)
{
    clearContent();
    discrete_ = true;
    // Codes beyond what the box shows at once scroll inside it, under the caption, so the box never covers the
    // model however many codes the property holds.
    QWidget* holder = this;
    QScrollArea* scroll = nullptr;
    int shift = 0;
    if (legend.bottom > DiscreteBottom) {
        scroll = new QScrollArea(this);
        scroll->setObjectName(QStringLiteral("codeBarScroll"));
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        scroll->viewport()->setAutoFillBackground(false);
        holder = new QWidget;
        holder->setObjectName(QStringLiteral("codeBars"));
        shift = ScrollTop;
        scroll->setWidget(holder);
        // The legend's own background shows through (setWidget makes the content paint its own).
        scroll->setAutoFillBackground(false);
        holder->setAutoFillBackground(false);
    }
    int right = 0;
    for (const LegendBar& bar : legend.bars) {
        auto* code = new QLabel(QString::fromStdString(bar.label), holder);
        code->setObjectName(QStringLiteral("codeLabel_%1").arg(bar.code));
        code->move(bar.labelX, bar.labelY - shift);
        code->adjustSize();
        right = std::max({right, code->geometry().right() + 1, bar.x + bar.width});

        auto* swatch = new Clickable<QFrame>(holder);
        const int barCode = bar.code;
        swatch->onClick = [this, swatch, barCode] { emit barClicked(swatch, barCode); };
        swatch->setObjectName(QStringLiteral("codeBar_%1").arg(bar.code));
        swatch->setGeometry(bar.x, bar.top - shift, bar.width, bar.height);
        swatch->setAutoFillBackground(true);
        QPalette palette = swatch->palette();
        palette.setColor(QPalette::Window, qcolour(bar.colour));
        swatch->setPalette(palette);
        swatch->setCursor(Qt::PointingHandCursor);
    }
    if (scroll) {
        holder->resize(right + 4, legend.bottom - shift);
        for (QWidget* w : holder->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) w->show();
        scroll->setGeometry(0, ScrollTop, right + 4 + scroll->verticalScrollBar()->sizeHint().width(),
                            DiscreteBottom - ScrollTop);
    }
    for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) w->show();
    fitToContent();
}

void PropertyLegend::showPickers(bool shown)
{
    for (const char* name : {"lowColourPicker", "middleColourPicker", "highColourPicker"})
        if (auto* picker = findChild<QWidget*>(QString::fromLatin1(name))) picker->setVisible(shown);
}

void PropertyLegend::paintUpperRamp(QPainter& painter, int width, int height) const
{
    paintGradient(painter, width, height, ramp_.high, ramp_.middle);
}

void PropertyLegend::paintLowerRamp(QPainter& painter, int width, int height) const
{
    paintGradient(painter, width, height, ramp_.middle, ramp_.low);
}

void PropertyLegend::enterEvent(QEnterEvent* event)
{
    QGroupBox::enterEvent(event);
    emit mouseEntered();
}

void PropertyLegend::fitToContent()
{
    int right = InitialWidth, bottom = InitialHeight;
    for (const QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        right = std::max(right, w->geometry().right() + 1 + 4);
        bottom = std::max(bottom, w->geometry().bottom() + 1 + 4);
    }
    right = std::max(right, QFontMetrics(font()).horizontalAdvance(title()) + 24);
    resize(right, bottom);
}

void showLegendOf(PropertyLegend& legend, const PropertySet& properties, const std::string& shown, int rowWidth,
                  const std::set<int>& hidden)
{
    const Property* property = properties.find(shown);
    if (!property) {
        legend.clearContent();
        return;
    }
    if (property->discrete)
        legend.showDiscrete(discreteLegend(properties, *property, rowWidth, hidden));
    else
        legend.showContinuous(continuousLegend(properties, *property));
}

}  // namespace morvane
