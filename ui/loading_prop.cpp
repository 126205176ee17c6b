#include "ui/loading_prop.h"

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

LoadingProp::LoadingProp(const std::vector<std::string>& names, std::vector<int>& types, QWidget* parent)
    : QDialog(parent), count(static_cast<int>(names.size())), PROP_types(types)
{
    setObjectName(QStringLiteral("LoadingProp"));
    setWindowFlags(windowFlags() & ~Qt::WindowMaximizeButtonHint & ~Qt::WindowContextHelpButtonHint);
    setWindowTitle(QStringLiteral("Загрузка свойств"));

    // The kind names follow the user's stored language, Russian unless it is English.
    const QStringList typeNames = propertyTypeNames(ReadAppSettings("Lang") == "en");
    propListLith = typeNames[0];
    propListFacies = typeNames[1];
    propListNTG = typeNames[2];
    propListPoro = typeNames[3];
    propListPerm = typeNames[4];
    propListSw = typeNames[5];
    const QStringList kinds{propListLith, propListFacies, propListNTG, propListPoro, propListPerm, propListSw};

    groupBox1 = new QGroupBox(QStringLiteral("Типизация свойств"), this);
    groupBox1->setObjectName(QStringLiteral("groupBox1"));
    groupBox1->move(13, 13);

    QFont labelFont(QStringLiteral("Microsoft Sans Serif"));
    labelFont.setPointSizeF(9.75);
    int bottom = 45;
    for (int i = 0; i < count; ++i) {
        const int y = 45 + 30 * i;
        auto* label = new QLabel(QString::fromStdString(names[static_cast<std::size_t>(i)]), groupBox1);
        label->setFont(labelFont);
        label->move(25, y);
        label->adjustSize();

        auto* list = new QComboBox(groupBox1);
        list->setObjectName(QStringLiteral("prop") + QString::number(i));
        list->addItems(kinds);
        list->setCurrentIndex(-1);
        list->view()->setMinimumWidth(121);
        // Long property names push the lists to the right instead of covering them.
        list->setGeometry(std::max(185, label->x() + label->width() + 10), y, 200, 25);
        bottom = y + 25;
    }
    groupBox1->adjustSize();
    groupBox1->resize(std::max(groupBox1->width(), 420), std::max(groupBox1->height(), bottom + 15));

    kryptonButton1 = new QPushButton(QStringLiteral("ОК"), this);
    kryptonButton1->setObjectName(QStringLiteral("kryptonButton1"));
    kryptonButton1->setGeometry(138, std::max(78, groupBox1->y() + groupBox1->height() + 10), 175, 55);
    connect(kryptonButton1, &QPushButton::clicked, this, &LoadingProp::kryptonButton1_Click);

    // The window grows with its content.
    resize(std::max(groupBox1->x() + groupBox1->width(), kryptonButton1->x() + kryptonButton1->width()) + 13,
           kryptonButton1->y() + kryptonButton1->height() + 13);
}

void LoadingProp::updateLang(const std::string& lang)
{
    Lang = lang;
    setWindowTitle(localUiText(840, Lang));
    groupBox1->setTitle(localUiText(842, Lang));
}

std::string LoadingProp::ReadAppSettings(const std::string& key) const
{
    // The settings store traces "some error" itself and answers the default when its file cannot be read.
    return appSettings().ReadAppSettings(key);
}

QComboBox* LoadingProp::typeList(int i) const
{
    return groupBox1->findChild<QComboBox*>(QStringLiteral("prop") + QString::number(i));
}

void LoadingProp::kryptonButton1_Click()
{
    for (int i = 0; i < count; ++i) {
        const QComboBox* list = typeList(i);
        PROP_types.push_back(list ? list->currentIndex() + 1 : 0);
    }
    OK_loading_props = true;
    close();
}

}  // namespace morvane
