#include "ui/wells_panel.h"

#include <QAction>
#include <QActionGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "platform/trace.h"
#include "scene/well_geometry.h"
#include "ui/color_button.h"
#include "ui/panel_widgets.h"

namespace morvane {

namespace {

constexpr int kLabelSizes[] = {4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24, 26, 30};

QString lineWidthEntry(int n) { return QStringLiteral("lineWidth_%1").arg(n); }
QString labelSizeEntry(int n) { return QStringLiteral("labelSize_%1").arg(n); }

}  // namespace

WellsPanel::WellsPanel(int lineWidth, float labelSize, const QColor& labelColour, const QColor& lineColour,
                       QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("wellsPanel"));
    caption_ = panelCaption("wellsCaption", this);
    wellList_ = new QTreeWidget(this);
    wellList_->setObjectName(QStringLiteral("wellList"));
    wellList_->setHeaderHidden(true);
    labelSizeButton_ = new QToolButton(this);
    labelSizeButton_->setObjectName(QStringLiteral("labelSizeButton"));
    labelSizeButton_->setText(QStringLiteral("Aa"));
    labelColourButton_ = new ColorButton({}, this);
    labelColourButton_->setObjectName(QStringLiteral("labelColourButton"));
    lineWidthButton_ = new QToolButton(this);
    lineWidthButton_->setObjectName(QStringLiteral("lineWidthButton"));
    lineWidthButton_->setText(QStringLiteral("—"));
    lineColourButton_ = new ColorButton({}, this);
    lineColourButton_->setObjectName(QStringLiteral("lineColourButton"));
    buildMenus(lineWidth, labelSize);
    labelColourButton_->setSelectedColor(labelColour);
    lineColourButton_->setSelectedColor(lineColour);

    auto* buttons = new QVBoxLayout;
    for (QWidget* w :
         std::initializer_list<QWidget*>{labelSizeButton_, labelColourButton_, lineWidthButton_, lineColourButton_}) {
        w->setFixedSize(32, 28);
        buttons->addWidget(w);
    }
    buttons->addStretch(1);
    auto* row = new QHBoxLayout;
    row->addWidget(wellList_, 1);
    row->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(caption_);
    layout->addLayout(row);

    connect(labelSizeButton_, &QToolButton::clicked, this, [this] { popUpBeside(labelSizeMenu_, labelSizeButton_); });
    connect(lineWidthButton_, &QToolButton::clicked, this, [this] { popUpBeside(lineWidthMenu_, lineWidthButton_); });
    connect(labelColourButton_, &ColorButton::selectedColorChanged, this, &WellsPanel::labelColourChosen);
    connect(lineColourButton_, &ColorButton::selectedColorChanged, this, &WellsPanel::lineColourChosen);
    connect(wellList_, &QTreeWidget::currentItemChanged, this, &WellsPanel::traceSelectedWell);
}

void WellsPanel::buildMenus(int lineWidth, float labelSize)
{
    labelSizeMenu_ = new QMenu(this);
    labelSizeMenu_->setObjectName(QStringLiteral("labelSizeMenu"));
    lineWidthMenu_ = new QMenu(this);
    lineWidthMenu_->setObjectName(QStringLiteral("lineWidthMenu"));
    auto* widths = new QActionGroup(lineWidthMenu_);
    for (int n = 1; n <= 10; ++n) {
        QAction* entry = lineWidthMenu_->addAction(QString::number(n));
        entry->setObjectName(lineWidthEntry(n));
        entry->setCheckable(true);
        entry->setChecked(n == lineWidth);
        widths->addAction(entry);
        connect(entry, &QAction::triggered, this, [this, n] {
            emit lineWidthChosen(n);
            checkOnly(lineWidthMenu_, lineWidthEntry(n));
        });
    }
    auto* sizes = new QActionGroup(labelSizeMenu_);
    for (int n : kLabelSizes) {
        QAction* entry = labelSizeMenu_->addAction(QString::number(n));
        entry->setObjectName(labelSizeEntry(n));
        entry->setCheckable(true);
        entry->setChecked(wellLabelSizeForEntry(n) == labelSize);
        sizes->addAction(entry);
        connect(entry, &QAction::triggered, this, [this, n] {
            emit labelSizeChosen(n);
            checkOnly(labelSizeMenu_, labelSizeEntry(n));
        });
    }
}

void WellsPanel::checkOnly(QMenu* menu, const QString& name)
{
    for (QAction* entry : menu->actions()) entry->setChecked(entry->objectName() == name);
}

void WellsPanel::popUpBeside(QMenu* menu, QToolButton* button)
{
    menu->popup(button->mapToGlobal(QPoint(button->width(), 0)));
}

void WellsPanel::addWell(const std::string& name)
{
    wellList_->setUpdatesEnabled(false);
    wellList_->addTopLevelItem(new QTreeWidgetItem(QStringList{QString::fromStdString(name)}));
    wellList_->setUpdatesEnabled(true);
}

void WellsPanel::focusList() { wellList_->setFocus(); }

void WellsPanel::traceSelectedWell()
{
    QTreeWidgetItem* item = wellList_->currentItem();
    if (!item) return;
    const QModelIndex index = wellList_->indexFromItem(item);
    trace("selected node " + std::to_string(index.row()));
}

void WellsPanel::setTexts(const QString& caption, const QString& labelSizeTip, const QString& labelColourTip,
                          const QString& lineWidthTip, const QString& lineColourTip)
{
    caption_->setText(caption);
    labelSizeButton_->setToolTip(labelSizeTip);
    labelColourButton_->setToolTip(labelColourTip);
    lineWidthButton_->setToolTip(lineWidthTip);
    lineColourButton_->setToolTip(lineColourTip);
}

}  // namespace morvane
