#include "ui/dialogs/property_filter_dialog.h"

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
#include "core/localisation.h"
#include "platform/app_settings.h"
#include "platform/trace.h"

namespace morvane {

namespace fw = filter_window;

namespace {

constexpr TextPair kRangeFrom{"from", "от"};
constexpr TextPair kRangeTo{"to", "до"};
constexpr TextPair kKeepRange{"Keep", "Оставить"};
constexpr TextPair kCodesToKeep{"codes: 1, 3", "коды: 1, 3"};
constexpr TextPair kKeepCodesTip{"Keep only the cells holding these codes", "Оставить только ячейки с этими кодами"};
constexpr TextPair kNotCodes{"\"{}\" is not a list of whole codes such as 1, 3.",
                             "«{}» — не список целых кодов, например 1, 3."};
constexpr TextPair kKeepRangeTip{"Keep only the cells from the first value to the second",
                                 "Оставить только ячейки со значениями от первого до второго"};

QFont limitFont()
{
    QFont font(QStringLiteral("Microsoft Sans Serif"));
    font.setPointSizeF(9.75);
    font.setItalic(true);
    return font;
}

QColor rampColour(const Rgb& colour)
{
    auto c = [](float v) { return static_cast<int>(v * 255.0f) & 0xFF; };
    return QColor(c(colour.r), c(colour.g), c(colour.b));
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

constexpr TextPair kFilterTitle{"Property filter", "Фильтр свойства"};

}  // namespace

PropertyFilterDialog::PropertyFilterDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("propertyFilterDialog"));
    setWindowTitle(QStringLiteral("Фильтр свойства"));
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(195, 360);

    okButton_ = new QPushButton(QStringLiteral("ОК"), this);
    okButton_->setObjectName(QStringLiteral("okButton"));
    okButton_->setGeometry(10, 238, 145, 55);
    connect(okButton_, &QPushButton::clicked, this, &PropertyFilterDialog::takeCut);

    removedShade_ = new PaintedPanel(
        "removedShade",
        [](QPainter& painter, const QRect& area) {
        painter.fillRect(area, QColor(0, 0, 0, 150));
        painter.fillRect(area, QBrush(QColor(255, 255, 255, 90), Qt::BDiagPattern));
        },
        this);
    removedShade_->setGeometry(85, fw::RampTop, 35, fw::RampHeight);
    removedShade_->setAttribute(Qt::WA_TransparentForMouseEvents);

    directionButton_ = new QPushButton(this);
    directionButton_->setObjectName(QStringLiteral("cutDirectionButton"));
    directionButton_->setGeometry(161, 241, 25, 48);
    directionButton_->setFlat(true);
    directionButton_->setIcon(directionIcon(true));
    directionButton_->setIconSize(QSize(21, 44));
    connect(directionButton_, &QPushButton::clicked, this, &PropertyFilterDialog::reverseDirection);

    messageLabel_ = new QLabel(this);
    messageLabel_->setObjectName(QStringLiteral("messageLabel"));
    messageLabel_->setGeometry(4, 205, 187, 30);
    messageLabel_->setWordWrap(true);
    messageLabel_->setStyleSheet(QStringLiteral("color: rgb(200, 0, 0);"));
    messageLabel_->hide();

    // Under the OK button: a range of values to keep, and the cells the filter on show keeps.
    rangeLowEdit_ = new QLineEdit(this);
    rangeLowEdit_->setObjectName(QStringLiteral("rangeLowValue"));
    rangeLowEdit_->setGeometry(10, 300, 55, 22);
    rangeHighEdit_ = new QLineEdit(this);
    rangeHighEdit_->setObjectName(QStringLiteral("rangeHighValue"));
    rangeHighEdit_->setGeometry(70, 300, 55, 22);
    rangeButton_ = new QPushButton(this);
    rangeButton_->setObjectName(QStringLiteral("keepRangeButton"));
    rangeButton_->setGeometry(130, 299, 56, 24);
    rangeButton_->setAutoDefault(false);
    connect(rangeButton_, &QPushButton::clicked, this, &PropertyFilterDialog::takeRange);
    for (QLineEdit* edit : {rangeLowEdit_, rangeHighEdit_}) {
        connect(edit, &QLineEdit::returnPressed, this, &PropertyFilterDialog::takeRange);
        connect(edit, &QLineEdit::textEdited, this, &PropertyFilterDialog::showKept);
    }
    keptLabel_ = new QLabel(this);
    keptLabel_->setObjectName(QStringLiteral("keptCellsLabel"));
    keptLabel_->setGeometry(6, 326, 185, 30);
    keptLabel_->setWordWrap(true);
    setKeptCounter({}, "en");

    shadeTimer_ = new QTimer(this);
    shadeTimer_->setObjectName(QStringLiteral("shadeTimer"));
    shadeTimer_->setInterval(2);
    connect(shadeTimer_, &QTimer::timeout, this, &PropertyFilterDialog::placeShade);
}

void PropertyFilterDialog::setLanguage(const std::string& lang)
{
    setWindowTitle(QString::fromStdString(kFilterTitle.in(lang)));
    lang_ = lang;
    setCodes(codes_);
}

void PropertyFilterDialog::setProperty(const std::string& name, double upper, double lower, const ColourRamp& ramp)
{
    name_ = name;
    upper_ = upper;
    lower_ = lower;
    ramp_ = ramp;
    if (upperRamp_) upperRamp_->update();
    if (lowerRamp_) lowerRamp_->update();
}

double PropertyFilterDialog::upperLimit() const { return upper_; }

double PropertyFilterDialog::lowerLimit() const { return lower_; }

void PropertyFilterDialog::addRampControls()
{
    loaded_ = true;
    auto gradient = [this](bool upperHalf) {
        return [this, upperHalf](QPainter& painter, const QRect& area) {
            const QColor high = rampColour(ramp_.high);
            const QColor middle = rampColour(ramp_.middle);
            const QColor low = rampColour(ramp_.low);
            QLinearGradient g(0, 0, 0, area.height());
            g.setColorAt(0, upperHalf ? high : middle);
            g.setColorAt(1, upperHalf ? middle : low);
            painter.fillRect(area, g);
        };
    };
    upperRamp_ = new PaintedPanel("upperRamp", gradient(true), this);
    upperRamp_->setGeometry(85, fw::RampTop, 35, fw::RampHeight / 2);
    lowerRamp_ = new PaintedPanel("lowerRamp", gradient(false), this);
    lowerRamp_->setGeometry(85, fw::RampTop + fw::RampHeight / 2, 35, fw::RampHeight / 2);

    auto label = [this](const char* name, int y) {
        auto* l = new QLabel(this);
        l->setObjectName(QString::fromLatin1(name));
        l->setFont(limitFont());
        l->move(27, y);
        l->show();
        return l;
    };
    upperLimitLabel_ = label("upperLimitLabel", fw::MaxLabelY);
    lowerLimitLabel_ = label("lowerLimitLabel", fw::MinLabelY);
    cutText_ = new QLineEdit(this);
    cutText_->setObjectName(QStringLiteral("cutValue"));
    // The cut may be typed as well as dragged; Enter takes it as OK does.
    connect(cutText_, &QLineEdit::returnPressed, this, &PropertyFilterDialog::takeCut);
    connect(cutText_, &QLineEdit::textEdited, this, [this] {
        rangeLowEdit_->clear();
        rangeHighEdit_->clear();
        showKept();
    });
    cutText_->setFont(limitFont());
    cutText_->setFrame(false);
    cutText_->setGeometry(27, fw::CutTextY, 50, 15);

    slider_ = new QPushButton(this);
    slider_->setObjectName(QStringLiteral("cutSlider"));
    slider_->setGeometry(123, 112, 35, 15);
    slider_->setStyleSheet(
        QStringLiteral("QPushButton { background-color: rgb(220, 0, 0); border: 1px solid "
                       "rgb(120, 0, 0); border-radius: 5px; }"));
    slider_->setCursor(Qt::SizeVerCursor);
    slider_->installEventFilter(this);

    for (QWidget* w : {upperRamp_, lowerRamp_, static_cast<QWidget*>(cutText_), static_cast<QWidget*>(slider_)})
        w->show();
    removedShade_->raise();
    slider_->raise();
}

void PropertyFilterDialog::showLimits()
{
    trace("PropFilter " + name_);
    if (!loaded_) return;
    const double upper = upperLimit(), lower = lowerLimit();
    upperLimitLabel_->setText(QString::fromStdString(limitText(upper)));
    upperLimitLabel_->adjustSize();
    lowerLimitLabel_->setText(QString::fromStdString(limitText(lower)));
    lowerLimitLabel_->adjustSize();
    cutText_->setText(QString::fromStdString(limitText((upper + lower) / 2)));
    messageLabel_->hide();
    rangeLowEdit_->clear();
    rangeHighEdit_->clear();
    showKept();
    upperRamp_->update();
    lowerRamp_->update();
}

void PropertyFilterDialog::pressSlider(int y) { sliderGrabY_ = y; }

void PropertyFilterDialog::dragSliderTo(int windowY)
{
    const auto step = dragSlider(windowY, sliderGrabY_, upperLimit(), lowerLimit());
    if (!step) return;
    slider_->move(slider_->x(), step->sliderY);
    if (step->cutTextY) cutText_->move(cutText_->x(), *step->cutTextY);
    shadeCoef_ = step->coef;
    cutText_->setText(QString::fromStdString(step->cutText));
    rangeLowEdit_->clear();
    rangeHighEdit_->clear();
    showKept();
}

void PropertyFilterDialog::placeShade()
{
    const RampShade shade = rampShade(shadeCoef_, cutBelow_);
    removedShade_->setGeometry(85, shade.y, 35, shade.height);
}

void PropertyFilterDialog::reverseDirection()
{
    cutBelow_ = !cutBelow_;
    directionButton_->setIcon(directionIcon(cutBelow_));
    if (!cutBelow_) removedShade_->move(85, fw::RampTop);
    placeShade();
    showKept();
}

void PropertyFilterDialog::setKeptCounter(std::function<std::string(const PropertyFilterSetting&)> counter,
                                          const std::string& lang)
{
    keptCounter_ = std::move(counter);
    lang_ = lang;
    setCodes(codes_);
    keptLabel_->clear();
}

void PropertyFilterDialog::setCodes(bool codes)
{
    codes_ = codes;
    rangeLowEdit_->setGeometry(10, 300, codes ? 115 : 55, 22);
    rangeHighEdit_->setVisible(!codes);
    rangeLowEdit_->setPlaceholderText(QString::fromStdString((codes ? kCodesToKeep : kRangeFrom).in(lang_)));
    rangeHighEdit_->setPlaceholderText(QString::fromStdString(kRangeTo.in(lang_)));
    rangeButton_->setText(QString::fromStdString(kKeepRange.in(lang_)));
    rangeButton_->setToolTip(QString::fromStdString((codes ? kKeepCodesTip : kKeepRangeTip).in(lang_)));
}

void PropertyFilterDialog::showKept()
{
    if (!keptCounter_ || !cutText_) return;
    if (codes_) {
        const auto codes = readCodeList(rangeLowEdit_->text().toStdString());
        keptLabel_->setText(codes ? QString::fromStdString(keptCounter_(PropertyFilterSetting::holding(*codes)))
                                  : QString());
        return;
    }
    // The range when both its values are typed, else the cut.
    const auto low = parseDecimalText(rangeLowEdit_->text().toStdString());
    const auto high = parseDecimalText(rangeHighEdit_->text().toStdString());
    const auto cut = readLimitText(cutText_->text().toStdString());
    std::string said;
    if (low && high)
        said = keptCounter_(PropertyFilterSetting::between(*low, *high));
    else if (cut)
        said = keptCounter_(PropertyFilterSetting::cutAt(*cut, cutBelow_));
    keptLabel_->setText(QString::fromStdString(said));
}

void PropertyFilterDialog::takeRange()
{
    if (codes_) {
        const std::string text = rangeLowEdit_->text().toStdString();
        const auto codes = readCodeList(text);
        if (!codes) {
            showMessage(QString::fromStdString(fillText(kNotCodes.in(lang_), {text})));
            return;
        }
        chosen_ = PropertyFilterSetting::holding(*codes);
        cancelled_ = false;
        hide();
        return;
    }
    for (QLineEdit* edit : {rangeLowEdit_, rangeHighEdit_}) {
        if (!parseDecimalText(edit->text().toStdString())) {
            showMessage(QString::fromStdString(notANumberMessage(edit->text().toStdString(), lang_)));
            return;
        }
    }
    chosen_ = PropertyFilterSetting::between(*parseDecimalText(rangeLowEdit_->text().toStdString()),
                                             *parseDecimalText(rangeHighEdit_->text().toStdString()));
    cancelled_ = false;
    hide();
}

void PropertyFilterDialog::takeCut()
{
    if (cutText_) {
        trace("found");
        const QString text = cutText_->text();
        const auto value = readLimitText(text.toStdString());
        if (!value) {
            showMessage(
                QString::fromStdString(notANumberMessage(text.toStdString(), appSettings().ReadAppSettings("Lang"))));
            return;
        }
        cut_ = *value;
    }
    chosen_ = PropertyFilterSetting::cutAt(cut_, cutBelow_);
    cancelled_ = false;
    hide();
}

void PropertyFilterDialog::showMessage(const QString& text)
{
    messageLabel_->setText(text);
    messageLabel_->show();
    messageLabel_->raise();
}

void PropertyFilterDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!loaded_) addRampControls();
    cancelled_ = false;
    placeShade();
    shadeTimer_->start();
}

void PropertyFilterDialog::hideEvent(QHideEvent* event)
{
    QDialog::hideEvent(event);
    shadeTimer_->stop();
    if (!event->spontaneous()) emit windowHidden();
}

void PropertyFilterDialog::closeEvent(QCloseEvent* event)
{
    // Closed through the title bar: hidden like OK does, with nothing to apply.
    cancelled_ = true;
    event->ignore();
    hide();
}

bool PropertyFilterDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == slider_) {
        if (event->type() == QEvent::MouseButtonPress) {
            pressSlider(static_cast<QMouseEvent*>(event)->position().toPoint().y());
            return true;
        }
        if (event->type() == QEvent::MouseMove) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->buttons() & Qt::LeftButton) dragSliderTo(slider_->mapTo(this, mouse->position().toPoint()).y());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace morvane
