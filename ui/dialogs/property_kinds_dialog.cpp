#include "ui/dialogs/property_kinds_dialog.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

#include "platform/app_settings.h"
#include "platform/trace.h"
#include "ui/ui_text.h"

namespace morvane {

PropertyKindsDialog::PropertyKindsDialog(const std::vector<std::string>& names, std::vector<int>& types,
                                         QWidget* parent)
    : QDialog(parent), count_(static_cast<int>(names.size())), types_(types)
{
    setObjectName(QStringLiteral("propertyKindsDialog"));
    setWindowFlags(windowFlags() & ~Qt::WindowMaximizeButtonHint & ~Qt::WindowContextHelpButtonHint);
    setWindowTitle(QStringLiteral("Загрузка свойств"));

    // The kind names follow the user's stored language, Russian unless it is English. The settings store traces
    // "some error" itself and answers the default when its file cannot be read.
    const QStringList kinds = propertyTypeNames(appSettings().ReadAppSettings("Lang") == "en").mid(0, 6);

    kindsGroup_ = new QGroupBox(QStringLiteral("Типизация свойств"), this);
    kindsGroup_->setObjectName(QStringLiteral("kindsGroup"));
    kindsGroup_->move(13, 13);

    QFont labelFont(QStringLiteral("Microsoft Sans Serif"));
    labelFont.setPointSizeF(9.75);
    int bottom = 45;
    for (int i = 0; i < count_; ++i) {
        const int y = 45 + 30 * i;
        auto* label = new QLabel(QString::fromStdString(names[static_cast<std::size_t>(i)]), kindsGroup_);
        label->setFont(labelFont);
        label->move(25, y);
        label->adjustSize();

        auto* list = new QComboBox(kindsGroup_);
        list->setObjectName(QStringLiteral("kindList") + QString::number(i));
        list->addItems(kinds);
        list->setCurrentIndex(-1);
        list->view()->setMinimumWidth(121);
        // Long property names push the lists to the right instead of covering them.
        list->setGeometry(std::max(185, label->x() + label->width() + 10), y, 200, 25);
        bottom = y + 25;
    }
    kindsGroup_->adjustSize();
    kindsGroup_->resize(std::max(kindsGroup_->width(), 420), std::max(kindsGroup_->height(), bottom + 15));

    okButton_ = new QPushButton(QStringLiteral("ОК"), this);
    okButton_->setObjectName(QStringLiteral("okButton"));
    okButton_->setGeometry(138, std::max(78, kindsGroup_->y() + kindsGroup_->height() + 10), 175, 55);
    connect(okButton_, &QPushButton::clicked, this, &PropertyKindsDialog::collectKinds);

    // The window grows with its content.
    resize(std::max(kindsGroup_->x() + kindsGroup_->width(), okButton_->x() + okButton_->width()) + 13,
           okButton_->y() + okButton_->height() + 13);
}

void PropertyKindsDialog::updateLang(const std::string& lang)
{
    lang_ = lang;
    setWindowTitle(localUiText(840, lang_));
    kindsGroup_->setTitle(localUiText(842, lang_));
}

QComboBox* PropertyKindsDialog::kindList(int i) const
{
    return kindsGroup_->findChild<QComboBox*>(QStringLiteral("kindList") + QString::number(i));
}

void PropertyKindsDialog::collectKinds()
{
    for (int i = 0; i < count_; ++i) {
        const QComboBox* list = kindList(i);
        types_.push_back(list ? list->currentIndex() + 1 : 0);
    }
    confirmed_ = true;
    close();
}

}  // namespace morvane
