#include "ui/loading_well.h"

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

LoadingWell::LoadingWell(const std::string& wellName, const std::vector<std::string>& columns, bool severalFiles,
                         QWidget* parent)
    : QDialog(parent), wellName_(wellName)
{
    setObjectName(QStringLiteral("LoadingWell"));
    setWindowFlags(windowFlags() & ~Qt::WindowMaximizeButtonHint & ~Qt::WindowContextHelpButtonHint);
    setWindowTitle(QStringLiteral("Загрузка скважин"));

    groupBox1 = new QGroupBox(QStringLiteral("Соотнесение столбцов"), this);
    groupBox1->setObjectName(QStringLiteral("groupBox1"));
    groupBox1->setGeometry(13, 13, 394, 200);
    label4 = namedLabel("label4", QStringLiteral("Имя скважины"), groupBox1, 20, 30);
    label6 = namedLabel("label6", QString(), groupBox1, 190, 30);
    // Top to bottom: measured depth, X, Y, Z.
    label1 = namedLabel("label1", QStringLiteral("Глубина, MD"), groupBox1, 20, 65);
    kryptonComboBox4 = columnList("kryptonComboBox4", columns, groupBox1, 62);
    label5 = namedLabel("label5", QStringLiteral("Координата X"), groupBox1, 20, 100);
    kryptonComboBox1 = columnList("kryptonComboBox1", columns, groupBox1, 97);
    label2 = namedLabel("label2", QStringLiteral("Координата Y"), groupBox1, 20, 135);
    kryptonComboBox2 = columnList("kryptonComboBox2", columns, groupBox1, 132);
    label3 = namedLabel("label3", QStringLiteral("Координата Z"), groupBox1, 20, 170);
    kryptonComboBox3 = columnList("kryptonComboBox3", columns, groupBox1, 167);

    kryptonButton1 = new QPushButton(QStringLiteral("ОК"), this);
    kryptonButton1->setObjectName(QStringLiteral("kryptonButton1"));
    kryptonButton1->setGeometry(30, 226, 175, 45);
    kryptonButton2 = new QPushButton(QStringLiteral("ОК для всех"), this);
    kryptonButton2->setObjectName(QStringLiteral("kryptonButton2"));
    kryptonButton2->setGeometry(215, 226, 175, 45);
    if (!severalFiles) {
        // One file: nothing to confirm for later files.
        kryptonButton2->hide();
        kryptonButton1->move(105, kryptonButton1->y());
    }
    connect(kryptonButton1, &QPushButton::clicked, this, &LoadingWell::kryptonButton1_Click);
    connect(kryptonButton2, &QPushButton::clicked, this, &LoadingWell::kryptonButton2_Click);
    setFixedSize(420, 284);
}

void LoadingWell::updateLang(const std::string& lang)
{
    setWindowTitle(localUiText(780, lang));
    groupBox1->setTitle(localUiText(782, lang));
    label4->setText(localUiText(784, lang));
    label1->setText(localUiText(786, lang));
    label5->setText(localUiText(788, lang));
    label2->setText(localUiText(790, lang));
    label3->setText(localUiText(792, lang));
    kryptonButton2->setText(localUiText(794, lang));
    for (QLabel* l : {label4, label1, label5, label2, label3}) l->adjustSize();
}

void LoadingWell::LoadingWell_Load()
{
    // The columns named exactly MD, X, Y, Z; with duplicate names the last one wins.
    for (int k = 0; k < kryptonComboBox1->count(); ++k) {
        const QString name = kryptonComboBox1->itemText(k);
        if (name == QLatin1String("X")) kryptonComboBox1->setCurrentIndex(k);
        if (name == QLatin1String("Y")) kryptonComboBox2->setCurrentIndex(k);
        if (name == QLatin1String("Z")) kryptonComboBox3->setCurrentIndex(k);
        if (name == QLatin1String("MD")) kryptonComboBox4->setCurrentIndex(k);
    }
    if (!wellName_.empty()) {
        label6->setText(QString::fromStdString(wellName_));
        label6->adjustSize();
    }
}

void LoadingWell::showEvent(QShowEvent* event)
{
    if (!loaded_) {
        loaded_ = true;
        LoadingWell_Load();
    }
    QDialog::showEvent(event);
}

bool LoadingWell::allSelected() const
{
    return kryptonComboBox1->currentIndex() >= 0 && kryptonComboBox2->currentIndex() >= 0 &&
           kryptonComboBox3->currentIndex() >= 0 && kryptonComboBox4->currentIndex() >= 0;
}

void LoadingWell::kryptonButton1_Click()
{
    answered_ = true;
    accept();
}

void LoadingWell::kryptonButton2_Click()
{
    answered_ = true;
    okForAllPressed_ = true;
    if (!wellName_.empty() && allSelected()) {
        okForAll_ = true;
        columnX_ = kryptonComboBox1->currentIndex();
        columnY_ = kryptonComboBox2->currentIndex();
        columnZ_ = kryptonComboBox3->currentIndex();
        columnMd_ = kryptonComboBox4->currentIndex();
    }
    accept();
}

void LoadingWell::reject()
{
    if (!answered_) dispose_ = true;
    QDialog::reject();
}

WellColumnAnswer LoadingWell::answer() const
{
    WellColumnAnswer a;
    a.button = dispose_ ? WellColumnAnswer::Button::CloseBox
                        : (okForAllPressed_ ? WellColumnAnswer::Button::OkForAll : WellColumnAnswer::Button::Ok);
    a.md = kryptonComboBox4->currentIndex();
    a.x = kryptonComboBox1->currentIndex();
    a.y = kryptonComboBox2->currentIndex();
    a.z = kryptonComboBox3->currentIndex();
    return a;
}

}  // namespace morvane
