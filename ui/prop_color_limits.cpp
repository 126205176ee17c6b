#include "ui/prop_color_limits.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "commands/property_filter.h"
#include "core/decimal_text.h"
#include "ui/ui_text.h"

namespace morvane {

PropColorLimits::PropColorLimits(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("PropColorLimits"));
    setWindowTitle(QStringLiteral("Изменение лимитов"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    textBox1 = new QLineEdit(this);
    textBox1->setObjectName(QStringLiteral("textBox1"));
    connect(textBox1, &QLineEdit::returnPressed, this, [this] { textBox1_KeyPress(13); });
    messageLabel = new QLabel(this);
    messageLabel->setObjectName(QStringLiteral("messageLabel"));
    messageLabel->setWordWrap(true);
    messageLabel->setStyleSheet(QStringLiteral("color: rgb(200, 0, 0);"));
    messageLabel->hide();
    kryptonButton1 = new QPushButton(QStringLiteral("ОК"), this);
    kryptonButton1->setObjectName(QStringLiteral("kryptonButton1"));
    kryptonButton1->setAutoDefault(false);
    connect(kryptonButton1, &QPushButton::clicked, this, &PropColorLimits::kryptonButton1_Click);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(textBox1);
    layout->addWidget(messageLabel);
    layout->addWidget(kryptonButton1);
    setFixedWidth(240);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void PropColorLimits::in_value(float value, bool isMax)
{
    is_max = isMax;
    valueForm = value;
    textBox1->setText(QString::fromStdString(limitText(value)));
    messageLabel->hide();
    textBox1->setFocus();
}

void PropColorLimits::updateLang(const std::string& lang)
{
    lang_ = lang;
    setWindowTitle(localUiText(860, lang));
}

void PropColorLimits::kryptonButton1_Click()
{
    const std::string text = textBox1->text().toStdString();
    const auto value = readLimitText(text);
    if (!value) {
        messageLabel->setText(QString::fromStdString(notANumberMessage(text, lang_)));
        messageLabel->show();
        return;
    }
    valueForm = *value;
    cancelled_ = false;
    hide();
}

void PropColorLimits::textBox1_KeyPress(int keyChar)
{
    if (keyChar == 13) kryptonButton1_Click();
}

void PropColorLimits::hideEvent(QHideEvent* event)
{
    QDialog::hideEvent(event);
    if (!event->spontaneous()) emit formHidden();
}

void PropColorLimits::closeEvent(QCloseEvent* event)
{
    cancelled_ = true;
    event->ignore();
    hide();
}

}  // namespace morvane
