#include "ui/display_well_section_mode.h"

#include <algorithm>

#include <QHeaderView>
#include <QHideEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QTreeWidget>

#include "core/localisation.h"

namespace morvane {

namespace {

// Client area: the list above the button, with 12 pixels around and between them.
constexpr int kWidth = 214, kHeight = 121;
constexpr int kMargin = 12, kButtonHeight = 50;
constexpr int kListMinWidth = 190, kListMinHeight = 35;

constexpr TextPair kTitle{"Well choice", "Выбор скважин"};
constexpr TextPair kWellColumn{"Well", "Скважина"};
constexpr TextPair kOrderColumn{"Order", "Порядок"};
constexpr TextPair kBuild{"Build section", "Построить разрез"};

}  // namespace

Display_well_section_mode::Display_well_section_mode(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("displayWellSectionForm"));
    setWindowTitle(QStringLiteral("Выбор скважин"));
    setMinimumSize(kWidth, kHeight);

    listView1 = new QTreeWidget(this);
    listView1->setObjectName(QStringLiteral("listView1"));
    listView1->setRootIsDecorated(false);
    listView1->setColumnCount(2);
    listView1->setHeaderLabels({QStringLiteral("Скважина"), QStringLiteral("Порядок")});
    listView1->setColumnWidth(0, 126);
    listView1->setColumnWidth(1, 84);
    listView1->header()->moveSection(1, 0);  // the picking number is shown first
    listView1->setMinimumSize(kListMinWidth, kListMinHeight);
    listView1->setUniformRowHeights(true);

    kryptonButton1 = new QPushButton(QStringLiteral("Построить разрез"), this);
    kryptonButton1->setObjectName(QStringLiteral("kryptonButton1"));
    connect(kryptonButton1, &QPushButton::clicked, this, &Display_well_section_mode::kryptonButton1_Click);

    resize(kWidth, kHeight);
}

void Display_well_section_mode::updateLang(const std::string& lang)
{
    const auto text = [&lang](const TextPair& t) { return QString::fromStdString(t.in(lang)); };
    setWindowTitle(text(kTitle));
    listView1->setHeaderLabels({text(kWellColumn), text(kOrderColumn)});
    kryptonButton1->setText(text(kBuild));
}

void Display_well_section_mode::clearRows()
{
    listView1->clear();
    resize(width(), minimumHeight());
}

void Display_well_section_mode::addRow(const QString& well, int number)
{
    auto* row = new QTreeWidgetItem(listView1);
    row->setText(0, well);
    row->setText(1, QString::number(number));
    resize(width(), height() + RowHeight);
}

void Display_well_section_mode::kryptonButton1_Click()
{
    if (listView1->topLevelItemCount() < 1) return;
    render_ = true;
    hide();
}

void Display_well_section_mode::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous()) emit visibilityChanged(true);
}

void Display_well_section_mode::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    // The window system hides it with a minimised main window: that is no choice of the user's.
    if (!event->spontaneous()) emit visibilityChanged(false);
}

void Display_well_section_mode::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int listHeight = std::max(kListMinHeight, height() - 3 * kMargin - kButtonHeight);
    listView1->setGeometry(kMargin, kMargin, width() - 2 * kMargin, listHeight);
    kryptonButton1->setGeometry(kMargin, kMargin + listHeight + kMargin, width() - 2 * kMargin, kButtonHeight);
}

}  // namespace morvane
