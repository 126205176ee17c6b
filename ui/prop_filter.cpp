#include "ui/prop_filter.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include "commands/property_filter.h"
#include "core/decimal_text.h"
#include "platform/app_settings.h"
#include "platform/trace.h"

namespace morvane {

namespace fw = filter_window;

namespace {

QFont limitFont()
{
    QFont font(QStringLiteral("Microsoft Sans Serif"));
    font.setPointSizeF(9.75);
    font.setItalic(true);
    return font;
}

QColor paletteColour(const std::array<float, 10>& r, const std::array<float, 10>& g, const std::array<float, 10>& b,
                     int type)
{
    if (type < 0 || type >= 10) return Qt::black;
    auto c = [](float v) { return static_cast<int>(v * 255.0f) & 0xFF; };
    return QColor(c(r[type]), c(g[type]), c(b[type]));
}

// A panel painted by a function: the two halves of the ramp and the shade over the removed side.
class PaintedPanel final : public QWidget {
public:
    using Paint = std::function<void(QPainter&, const QRect&)>;
    PaintedPanel(const char* name, Paint paint, QWidget* parent) : QWidget(parent), paint_(std::move(paint))
    {
        setObjectName(QString::fromLatin1(name));
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        paint_(painter, rect());
    }

private:
    Paint paint_;
};

// The direction button's picture: an arrow pointing to the side whose cells are removed.
QIcon directionIcon(bool cutBelow)
{
    QPixmap pixmap(21, 44);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(60, 60, 60), 2));
    painter.drawLine(10, 6, 10, 38);
    painter.setBrush(QColor(200, 30, 30));
    painter.setPen(Qt::NoPen);
    const QPointF down[] = {{3, 28}, {17, 28}, {10, 41}};
    const QPointF up[] = {{3, 16}, {17, 16}, {10, 3}};
    painter.drawPolygon(cutBelow ? down : up, 3);
    return QIcon(pixmap);
}

}  // namespace

PropFilter::PropFilter(Properties& properties, QWidget* parent) : QDialog(parent), p_(properties)
{
    setObjectName(QStringLiteral("PropFilter"));
    setWindowTitle(QStringLiteral("Фильтр свойства"));
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(195, 303);

    kryptonButton1 = new QPushButton(QStringLiteral("ОК"), this);
    kryptonButton1->setObjectName(QStringLiteral("kryptonButton1"));
    kryptonButton1->setGeometry(10, 238, 145, 55);
    connect(kryptonButton1, &QPushButton::clicked, this, &PropFilter::kryptonButton1_Click);

    cut_palitra = new PaintedPanel(
        "cut_palitra",
        [](QPainter& painter, const QRect& area) {
        painter.fillRect(area, QColor(0, 0, 0, 150));
        painter.fillRect(area, QBrush(QColor(255, 255, 255, 90), Qt::BDiagPattern));
        },
        this);
    cut_palitra->setGeometry(85, fw::RampTop, 35, fw::RampHeight);
    cut_palitra->setAttribute(Qt::WA_TransparentForMouseEvents);

    reverse_cut = new QPushButton(this);
    reverse_cut->setObjectName(QStringLiteral("reverse_cut"));
    reverse_cut->setGeometry(161, 241, 25, 48);
    reverse_cut->setFlat(true);
    reverse_cut->setIcon(directionIcon(true));
    reverse_cut->setIconSize(QSize(21, 44));
    connect(reverse_cut, &QPushButton::clicked, this, &PropFilter::reverse_cut_Click);

    messageLabel = new QLabel(this);
    messageLabel->setObjectName(QStringLiteral("messageLabel"));
    messageLabel->setGeometry(4, 205, 187, 30);
    messageLabel->setWordWrap(true);
    messageLabel->setStyleSheet(QStringLiteral("color: rgb(200, 0, 0);"));
    messageLabel->hide();

    timer1 = new QTimer(this);
    timer1->setObjectName(QStringLiteral("timer1"));
    timer1->setInterval(2);
    connect(timer1, &QTimer::timeout, this, &PropFilter::timer1_Tick);
}

void PropFilter::setVariables(const std::vector<double>& upper, const std::vector<double>& lower, int nodeIndex,
                              const Palette& r3, const Palette& g3, const Palette& b3, const Palette& r2,
                              const Palette& g2, const Palette& b2, const Palette& r1, const Palette& g1,
                              const Palette& b1, int typeCode)
{
    p_.prop_max_value_form = upper;
    p_.prop_min_value_form = lower;
    prop_no_morvane_form = nodeIndex;
    p_.r3_form = r3, p_.g3_form = g3, p_.b3_form = b3;
    p_.r2_form = r2, p_.g2_form = g2, p_.b2_form = b2;
    p_.r1_form = r1, p_.g1_form = g1, p_.b1_form = b1;
    prop_type_displaying_form = typeCode;
    if (palitra3) palitra3->update();
    if (palitra2) palitra2->update();
}

double PropFilter::upperLimit() const
{
    const std::size_t entry = static_cast<std::size_t>(prop_no_morvane_form) + 1;
    return prop_no_morvane_form >= 0 && entry < p_.prop_max_value_form.size() ? p_.prop_max_value_form[entry] : 0;
}

double PropFilter::lowerLimit() const
{
    const std::size_t entry = static_cast<std::size_t>(prop_no_morvane_form) + 1;
    return prop_no_morvane_form >= 0 && entry < p_.prop_min_value_form.size() ? p_.prop_min_value_form[entry] : 0;
}

void PropFilter::PropFilter_Load()
{
    loaded_ = true;
    auto gradient = [this](bool upperHalf) {
        return [this, upperHalf](QPainter& painter, const QRect& area) {
            const int t = prop_type_displaying_form;
            const QColor high = paletteColour(p_.r3_form, p_.g3_form, p_.b3_form, t);
            const QColor middle = paletteColour(p_.r2_form, p_.g2_form, p_.b2_form, t);
            const QColor low = paletteColour(p_.r1_form, p_.g1_form, p_.b1_form, t);
            QLinearGradient g(0, 0, 0, area.height());
            g.setColorAt(0, upperHalf ? high : middle);
            g.setColorAt(1, upperHalf ? middle : low);
            painter.fillRect(area, g);
        };
    };
    palitra3 = new PaintedPanel("palitra3", gradient(true), this);
    palitra3->setGeometry(85, fw::RampTop, 35, fw::RampHeight / 2);
    palitra2 = new PaintedPanel("palitra2", gradient(false), this);
    palitra2->setGeometry(85, fw::RampTop + fw::RampHeight / 2, 35, fw::RampHeight / 2);

    auto label = [this](const char* name, int y) {
        auto* l = new QLabel(this);
        l->setObjectName(QString::fromLatin1(name));
        l->setFont(limitFont());
        l->move(27, y);
        l->show();
        return l;
    };
    Color_label_max = label("Color_label_max", fw::MaxLabelY);
    Color_label_min = label("Color_label_min", fw::MinLabelY);
    Color_label_cut = new QLineEdit(this);
    Color_label_cut->setObjectName(QStringLiteral("Color_label_cut"));
    Color_label_cut->setReadOnly(true);
    Color_label_cut->setFont(limitFont());
    Color_label_cut->setFrame(false);
    Color_label_cut->setGeometry(27, fw::CutTextY, 50, 15);

    polzunok = new QPushButton(this);
    polzunok->setObjectName(QStringLiteral("polzunok"));
    polzunok->setGeometry(123, 112, 35, 15);
    polzunok->setStyleSheet(
        QStringLiteral("QPushButton { background-color: rgb(220, 0, 0); border: 1px solid "
                       "rgb(120, 0, 0); border-radius: 5px; }"));
    polzunok->setCursor(Qt::SizeVerCursor);
    polzunok->installEventFilter(this);

    for (QWidget* w : {palitra3, palitra2, static_cast<QWidget*>(Color_label_cut), static_cast<QWidget*>(polzunok)})
        w->show();
    cut_palitra->raise();
    polzunok->raise();
}

void PropFilter::updateMargins()
{
    trace("PropFilter no = " + std::to_string(prop_no_morvane_form));
    if (!loaded_) return;
    const double upper = upperLimit(), lower = lowerLimit();
    Color_label_max->setText(QString::fromStdString(limitText(upper)));
    Color_label_max->adjustSize();
    Color_label_min->setText(QString::fromStdString(limitText(lower)));
    Color_label_min->adjustSize();
    Color_label_cut->setText(QString::fromStdString(limitText((upper + lower) / 2)));
    messageLabel->hide();
    palitra3->update();
    palitra2->update();
}

void PropFilter::polzunok_MouseDown(int y) { polzunokClickY = y; }

void PropFilter::polzunok_MouseMove(int windowY)
{
    const auto step = dragSlider(windowY, polzunokClickY, upperLimit(), lowerLimit());
    if (!step) return;
    polzunok->move(polzunok->x(), step->sliderY);
    if (step->cutTextY) Color_label_cut->move(Color_label_cut->x(), *step->cutTextY);
    coef = step->coef;
    Color_label_cut->setText(QString::fromStdString(step->cutText));
}

void PropFilter::timer1_Tick()
{
    const RampShade shade = rampShade(coef, reverse_cut_form);
    cut_palitra->setGeometry(85, shade.y, 35, shade.height);
}

void PropFilter::reverse_cut_Click()
{
    reverse_cut_form = !reverse_cut_form;
    reverse_cut->setIcon(directionIcon(reverse_cut_form));
    if (!reverse_cut_form) cut_palitra->move(85, fw::RampTop);
    timer1_Tick();
}

void PropFilter::kryptonButton1_Click()
{
    if (Color_label_cut) {
        trace("found");
        const QString text = Color_label_cut->text();
        const auto value = readLimitText(text.toStdString());
        if (!value) {
            showMessage(
                QString::fromStdString(notANumberMessage(text.toStdString(), appSettings().ReadAppSettings("Lang"))));
            return;
        }
        cont_prop_cut_form = *value;
    }
    cancelled_ = false;
    hide();
}

void PropFilter::showMessage(const QString& text)
{
    messageLabel->setText(text);
    messageLabel->show();
    messageLabel->raise();
}

void PropFilter::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!loaded_) PropFilter_Load();
    cancelled_ = false;
    timer1_Tick();
    timer1->start();
}

void PropFilter::hideEvent(QHideEvent* event)
{
    QDialog::hideEvent(event);
    timer1->stop();
    if (!event->spontaneous()) emit formHidden();
}

void PropFilter::closeEvent(QCloseEvent* event)
{
    // Closed through the title bar: hidden like OK does, with nothing to apply.
    cancelled_ = true;
    event->ignore();
    hide();
}

bool PropFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == polzunok) {
        if (event->type() == QEvent::MouseButtonPress) {
            polzunok_MouseDown(static_cast<QMouseEvent*>(event)->position().toPoint().y());
            return true;
        }
        if (event->type() == QEvent::MouseMove) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->buttons() & Qt::LeftButton)
                polzunok_MouseMove(polzunok->mapTo(this, mouse->position().toPoint()).y());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace morvane
