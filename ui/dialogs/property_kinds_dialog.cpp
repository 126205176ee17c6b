#include "ui/dialogs/property_kinds_dialog.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFont>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>

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

    // The rows scroll when there are more than the screen holds, so OK stays on the screen.
    auto* rows = new QScrollArea(this);
    rows->setObjectName(QStringLiteral("kindsArea"));
    rows->setFrameShape(QFrame::NoFrame);
    rows->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    kindsGroup_ = new QGroupBox(QStringLiteral("Типизация свойств"));
    kindsGroup_->setObjectName(QStringLiteral("kindsGroup"));

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
    rows->setWidget(kindsGroup_);

    // Room on the screen for the rows: its free height less the OK button, the margins and the title bar.
    const QScreen* shownOn = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const int screenHeight = shownOn ? shownOn->availableGeometry().height() : 768;
    const int room = std::max(120, screenHeight - 13 - 10 - 55 - 13 - 40);
    const bool scrolls = kindsGroup_->height() > room;
    const int scrollBar = scrolls ? rows->verticalScrollBar()->sizeHint().width() : 0;
    rows->setGeometry(13, 13, kindsGroup_->width() + scrollBar, std::min(kindsGroup_->height(), room));

    okButton_ = new QPushButton(QStringLiteral("ОК"), this);
    okButton_->setObjectName(QStringLiteral("okButton"));
    okButton_->setGeometry(138, std::max(78, rows->y() + rows->height() + 10), 175, 55);
    connect(okButton_, &QPushButton::clicked, this, &PropertyKindsDialog::collectKinds);

    // The window grows with its content.
    resize(std::max(rows->x() + rows->width(), okButton_->x() + okButton_->width()) + 13,
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
