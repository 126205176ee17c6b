// The controls of the main window and where they sit: the menus and the ribbon above, the side panels (wells, model,
// events log) left of the view panel, the status strip below.
#include <QMenu>
#include <QScrollArea>
#include <QSplitter>
#include <QVBoxLayout>

#include "ui/events_log_panel.h"
#include "ui/main_window.h"
#include "ui/model_tree_panel.h"
#include "ui/status_strip.h"
#include "ui/view_panel.h"
#include "ui/wells_panel.h"

namespace morvane {

void MainWindow::buildControls()
{
    menus_.build(*this, commandTable());
    connect(menus_.recentFiles, &QMenu::aboutToShow, this, &MainWindow::refreshRecentMenu);
    ribbon_.build(*this, commandTable());
    menus_.offerImports(ribbon_.importGrid, ribbon_.importProperties, ribbon_.importWells);
    buildPanels();
    statusStrip_ = new StatusStrip(this);
    buildViewPanel();
}

void MainWindow::buildPanels()
{
    // The command row heads the central area, above the splitters.
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralPane"));
    auto* centralLayout = new QVBoxLayout(central);
    centralLayout->setContentsMargins(0, 0, 0, 0);
    centralLayout->setSpacing(0);
    centralLayout->addWidget(ribbon_.commandRowArea);
    mainSplitter_ = new QSplitter(Qt::Horizontal, central);
    mainSplitter_->setObjectName(QStringLiteral("mainSplitter"));
    centralLayout->addWidget(mainSplitter_, 1);
    setCentralWidget(central);

    sidePanelsSplitter_ = new QSplitter(Qt::Vertical, mainSplitter_);
    sidePanelsSplitter_->setObjectName(QStringLiteral("sidePanelsSplitter"));
    sidePanelsSplitter_->setMinimumWidth(153);
    dataPanelsSplitter_ = new QSplitter(Qt::Vertical, sidePanelsSplitter_);
    dataPanelsSplitter_->setObjectName(QStringLiteral("dataPanelsSplitter"));

    const auto& labelColour = state_.view.wells.labelColour;
    const auto& lineColour = state_.view.wells.lineColour;
    wellsPanel_ = new WellsPanel(state_.view.wells.lineWidth, state_.view.wells.labelSize,
                                 QColor::fromRgbF(labelColour[0], labelColour[1], labelColour[2]),
                                 QColor::fromRgbF(lineColour[0], lineColour[1], lineColour[2]), dataPanelsSplitter_);
    modelTree_ = new ModelTreePanel(dataPanelsSplitter_);
    eventsLog_ = new EventsLogPanel(sidePanelsSplitter_);

    dataPanelsSplitter_->setStretchFactor(0, 1);
    dataPanelsSplitter_->setStretchFactor(1, 2);
    sidePanelsSplitter_->setStretchFactor(0, 3);
    sidePanelsSplitter_->setStretchFactor(1, 1);
}

void MainWindow::buildViewPanel()
{
    viewPanel_ = new ViewPanel(mainSplitter_);
    mainSplitter_->setStretchFactor(0, 0);
    mainSplitter_->setStretchFactor(1, 1);
    mainSplitter_->setSizes({260, 1400});
    mainSplitter_->setChildrenCollapsible(false);
}

}  // namespace morvane
