#include "ui/dialogs/colour_limits_dialog.h"

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

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(valueEdit_);
    layout->addWidget(messageLabel_);
    layout->addWidget(okButton_);
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
}

void ColourLimitsDialog::updateLang(const std::string& lang)
{
    lang_ = lang;
    setWindowTitle(localUiText(860, lang));
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
