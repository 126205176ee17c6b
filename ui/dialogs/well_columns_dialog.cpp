#include "ui/dialogs/well_columns_dialog.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

#include "ui/ui_text.h"

namespace morvane {

namespace {

QLabel* namedLabel(const char* name, const QString& text, QWidget* parent, int x, int y)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->move(x, y);
    label->adjustSize();
    return label;
}

QComboBox* columnList(const char* name, const std::vector<std::string>& columns, QWidget* parent, int y)
{
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    for (const std::string& c : columns) list->addItem(QString::fromStdString(c));
    list->setCurrentIndex(-1);
    list->setGeometry(190, y, 180, 25);
    return list;
}

}  // namespace

WellColumnsDialog::WellColumnsDialog(const std::string& wellName, const std::vector<std::string>& columns,
                                     bool severalFiles, QWidget* parent)
    : QDialog(parent), wellName_(wellName)
{
    setObjectName(QStringLiteral("wellColumnsDialog"));
    setWindowFlags(windowFlags() & ~Qt::WindowMaximizeButtonHint & ~Qt::WindowContextHelpButtonHint);
    setWindowTitle(QStringLiteral("Загрузка скважин"));

    columnsGroup_ = new QGroupBox(QStringLiteral("Соотнесение столбцов"), this);
    columnsGroup_->setObjectName(QStringLiteral("columnsGroup"));
    columnsGroup_->setGeometry(13, 13, 394, 200);
    wellNameCaption_ = namedLabel("wellNameCaption", QStringLiteral("Имя скважины"), columnsGroup_, 20, 30);
    wellNameLabel_ = namedLabel("wellName", QString(), columnsGroup_, 190, 30);
    // Top to bottom: measured depth, X, Y, Z.
    mdCaption_ = namedLabel("mdCaption", QStringLiteral("Глубина, MD"), columnsGroup_, 20, 65);
    mdColumn_ = columnList("mdColumn", columns, columnsGroup_, 62);
    xCaption_ = namedLabel("xCaption", QStringLiteral("Координата X"), columnsGroup_, 20, 100);
    xColumn_ = columnList("xColumn", columns, columnsGroup_, 97);
    yCaption_ = namedLabel("yCaption", QStringLiteral("Координата Y"), columnsGroup_, 20, 135);
    yColumn_ = columnList("yColumn", columns, columnsGroup_, 132);
    zCaption_ = namedLabel("zCaption", QStringLiteral("Координата Z"), columnsGroup_, 20, 170);
    zColumn_ = columnList("zColumn", columns, columnsGroup_, 167);

    okButton_ = new QPushButton(QStringLiteral("ОК"), this);
    okButton_->setObjectName(QStringLiteral("okButton"));
    okButton_->setGeometry(30, 226, 175, 45);
    okForAllButton_ = new QPushButton(QStringLiteral("ОК для всех"), this);
    okForAllButton_->setObjectName(QStringLiteral("okForAllButton"));
    okForAllButton_->setGeometry(215, 226, 175, 45);
    if (!severalFiles) {
        // One file: nothing to confirm for later files.
        okForAllButton_->hide();
        okButton_->move(105, okButton_->y());
    }
    connect(okButton_, &QPushButton::clicked, this, &WellColumnsDialog::confirm);
    connect(okForAllButton_, &QPushButton::clicked, this, &WellColumnsDialog::confirmForAll);
    setFixedSize(420, 284);
}

void WellColumnsDialog::updateLang(const std::string& lang)
{
    setWindowTitle(localUiText(780, lang));
    columnsGroup_->setTitle(localUiText(782, lang));
    wellNameCaption_->setText(localUiText(784, lang));
    mdCaption_->setText(localUiText(786, lang));
    xCaption_->setText(localUiText(788, lang));
    yCaption_->setText(localUiText(790, lang));
    zCaption_->setText(localUiText(792, lang));
    okForAllButton_->setText(localUiText(794, lang));
    for (QLabel* l : {wellNameCaption_, mdCaption_, xCaption_, yCaption_, zCaption_}) l->adjustSize();
}

void WellColumnsDialog::preselectColumns()
{
    // The columns named exactly MD, X, Y, Z; with duplicate names the last one wins.
    for (int k = 0; k < xColumn_->count(); ++k) {
        const QString name = xColumn_->itemText(k);
        if (name == QLatin1String("X")) xColumn_->setCurrentIndex(k);
        if (name == QLatin1String("Y")) yColumn_->setCurrentIndex(k);
        if (name == QLatin1String("Z")) zColumn_->setCurrentIndex(k);
        if (name == QLatin1String("MD")) mdColumn_->setCurrentIndex(k);
    }
    if (!wellName_.empty()) {
        wellNameLabel_->setText(QString::fromStdString(wellName_));
        wellNameLabel_->adjustSize();
    }
}

void WellColumnsDialog::showEvent(QShowEvent* event)
{
    if (!loaded_) {
        loaded_ = true;
        preselectColumns();
    }
    QDialog::showEvent(event);
}

bool WellColumnsDialog::allSelected() const
{
    return xColumn_->currentIndex() >= 0 && yColumn_->currentIndex() >= 0 && zColumn_->currentIndex() >= 0 &&
           mdColumn_->currentIndex() >= 0;
}

void WellColumnsDialog::confirm()
{
    answered_ = true;
    accept();
}

void WellColumnsDialog::confirmForAll()
{
    answered_ = true;
    okForAllPressed_ = true;
    if (!wellName_.empty() && allSelected()) {
        okForAll_ = true;
        columnX_ = xColumn_->currentIndex();
        columnY_ = yColumn_->currentIndex();
        columnZ_ = zColumn_->currentIndex();
        columnMd_ = mdColumn_->currentIndex();
    }
    accept();
}

void WellColumnsDialog::reject()
{
    if (!answered_) abandoned_ = true;
    QDialog::reject();
}

WellColumnAnswer WellColumnsDialog::answer() const
{
    WellColumnAnswer a;
    a.button = abandoned_ ? WellColumnAnswer::Button::CloseBox
                          : (okForAllPressed_ ? WellColumnAnswer::Button::OkForAll : WellColumnAnswer::Button::Ok);
    a.md = mdColumn_->currentIndex();
    a.x = xColumn_->currentIndex();
    a.y = yColumn_->currentIndex();
    a.z = zColumn_->currentIndex();
    return a;
}

}  // namespace morvane
