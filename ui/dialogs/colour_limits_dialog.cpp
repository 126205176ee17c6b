#include "ui/dialogs/colour_limits_dialog.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "commands/property_filter.h"
#include "core/decimal_text.h"
#include "core/localisation.h"
#include "ui/ui_text.h"

namespace morvane {

namespace {
constexpr TextPair kDataRange{"Data range", "Диапазон данных"};
constexpr TextPair kDataRangeTip{"Both limits back to the smallest and largest value",
                                 "Оба предела — наименьшее и наибольшее значение"};
constexpr TextPair kPercentiles{"P5 – P95", "P5 – P95"};
constexpr TextPair kPercentilesTip{"Limits at the 5th and 95th percentiles of the values",
                                   "Пределы по 5-му и 95-му процентилям значений"};
}  // namespace

ColourLimitsDialog::ColourLimitsDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("colourLimitsDialog"));
    setWindowTitle(QStringLiteral("Изменение лимитов"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    valueEdit_ = new QLineEdit(this);
    valueEdit_->setObjectName(QStringLiteral("limitValue"));
    connect(valueEdit_, &QLineEdit::returnPressed, this, &ColourLimitsDialog::takeValue);
    messageLabel_ = new QLabel(this);
    messageLabel_->setObjectName(QStringLiteral("messageLabel"));
    messageLabel_->setWordWrap(true);
    messageLabel_->setStyleSheet(QStringLiteral("color: rgb(200, 0, 0);"));
    messageLabel_->hide();
    okButton_ = new QPushButton(QStringLiteral("ОК"), this);
    okButton_->setObjectName(QStringLiteral("okButton"));
    okButton_->setAutoDefault(false);
    connect(okButton_, &QPushButton::clicked, this, &ColourLimitsDialog::takeValue);
    auto bothLimits = [this](const char* name, Choice choice) {
        auto* button = new QPushButton(this);
        button->setObjectName(QString::fromLatin1(name));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, choice] {
            choice_ = choice;
            cancelled_ = false;
            hide();
        });
        return button;
    };
    dataRangeButton_ = bothLimits("dataRangeButton", Choice::DataRange);
    percentileButton_ = bothLimits("percentileLimitsButton", Choice::Percentiles);
    auto* bothRow = new QHBoxLayout;
    bothRow->addWidget(dataRangeButton_);
    bothRow->addWidget(percentileButton_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(valueEdit_);
    layout->addWidget(messageLabel_);
    layout->addWidget(okButton_);
    layout->addLayout(bothRow);
    setFixedWidth(240);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void ColourLimitsDialog::editLimit(const std::string& property, float value, bool upper)
{
    property_ = property;
    upper_ = upper;
    value_ = value;
    valueEdit_->setText(QString::fromStdString(limitText(value)));
    messageLabel_->hide();
    valueEdit_->setFocus();
    updateLang(lang_);
}

void ColourLimitsDialog::updateLang(const std::string& lang)
{
    lang_ = lang;
    setWindowTitle(localUiText(860, lang));
    dataRangeButton_->setText(QString::fromStdString(kDataRange.in(lang)));
    dataRangeButton_->setToolTip(QString::fromStdString(kDataRangeTip.in(lang)));
    percentileButton_->setText(QString::fromStdString(kPercentiles.in(lang)));
    percentileButton_->setToolTip(QString::fromStdString(kPercentilesTip.in(lang)));
}

void ColourLimitsDialog::takeValue()
{
    const std::string text = valueEdit_->text().toStdString();
    const auto value = readLimitText(text);
    if (!value) {
        messageLabel_->setText(QString::fromStdString(notANumberMessage(text, lang_)));
        messageLabel_->show();
        return;
    }
    value_ = *value;
    choice_ = Choice::TypedLimit;
    cancelled_ = false;
    hide();
}

void ColourLimitsDialog::hideEvent(QHideEvent* event)
{
    QDialog::hideEvent(event);
    if (!event->spontaneous()) emit windowHidden();
}

void ColourLimitsDialog::closeEvent(QCloseEvent* event)
{
    cancelled_ = true;
    event->ignore();
    hide();
}

}  // namespace morvane
