#include "ui/dialogs/section_well_picker.h"

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

SectionWellPicker::SectionWellPicker(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("sectionWellPicker"));
    setWindowTitle(QStringLiteral("Выбор скважин"));
    setMinimumSize(kWidth, kHeight);

    wellList_ = new QTreeWidget(this);
    wellList_->setObjectName(QStringLiteral("pickedWells"));
    wellList_->setRootIsDecorated(false);
    wellList_->setColumnCount(2);
    wellList_->setHeaderLabels({QStringLiteral("Скважина"), QStringLiteral("Порядок")});
    wellList_->setColumnWidth(0, 126);
    wellList_->setColumnWidth(1, 84);
    wellList_->header()->moveSection(1, 0);  // the picking number is shown first
    wellList_->setMinimumSize(kListMinWidth, kListMinHeight);
    wellList_->setUniformRowHeights(true);

    buildButton_ = new QPushButton(QStringLiteral("Построить разрез"), this);
    buildButton_->setObjectName(QStringLiteral("buildSectionButton"));
    connect(buildButton_, &QPushButton::clicked, this, &SectionWellPicker::requestBuild);

    resize(kWidth, kHeight);
}

void SectionWellPicker::updateLang(const std::string& lang)
{
    const auto text = [&lang](const TextPair& t) { return QString::fromStdString(t.in(lang)); };
    setWindowTitle(text(kTitle));
    wellList_->setHeaderLabels({text(kWellColumn), text(kOrderColumn)});
    buildButton_->setText(text(kBuild));
}

void SectionWellPicker::clearRows()
{
    wellList_->clear();
    resize(width(), minimumHeight());
}

void SectionWellPicker::addRow(const QString& well, int number)
{
    auto* row = new QTreeWidgetItem(wellList_);
    row->setText(0, well);
    row->setText(1, QString::number(number));
    resize(width(), height() + RowHeight);
}

void SectionWellPicker::requestBuild()
{
    if (wellList_->topLevelItemCount() < 1) return;
    buildRequested_ = true;
    hide();
}

void SectionWellPicker::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous()) emit visibilityChanged(true);
}

void SectionWellPicker::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    // The window system hides it with a minimised main window: that is no choice of the user's.
    if (!event->spontaneous()) emit visibilityChanged(false);
}

void SectionWellPicker::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int listHeight = std::max(kListMinHeight, height() - 3 * kMargin - kButtonHeight);
    wellList_->setGeometry(kMargin, kMargin, width() - 2 * kMargin, listHeight);
    buildButton_->setGeometry(kMargin, kMargin + listHeight + kMargin, width() - 2 * kMargin, kButtonHeight);
}

}  // namespace morvane
