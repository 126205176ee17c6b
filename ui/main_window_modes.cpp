// Commands of the main window: view modes, tabs, display toggles, dialogs and information windows.
#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QGroupBox>
#include <QMenu>
#include <QScreen>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <QTreeWidget>

#include "commands/model_display.h"
#include "commands/production_command.h"
#include "commands/view_modes.h"
#include "platform/app_settings.h"
#include "ui/color_button.h"
#include "ui/dialogs/about_dialogs.h"
#include "ui/dialogs/property_filter_dialog.h"
#include "ui/dialogs/section_well_picker.h"
#include "ui/dialogs/settings_dialog.h"
#include "ui/dialogs/statistics_dialog.h"
#include "ui/gl_view.h"
#include "ui/main_window.h"
#include "ui/model_tree_panel.h"
#include "ui/property_legend.h"
#include "ui/view_panel.h"
#include "ui/wells_panel.h"

namespace morvane {

void MainWindow::onClickKeepingState(QAction* action, void (MainWindow::*handler)())
{
    connect(action, &QAction::triggered, this, [this, action, handler] {
        // Qt has already flipped the check mark; the handlers decide it themselves from the state before.
        if (action->isCheckable()) {
            QSignalBlocker block(action);
            action->setChecked(!action->isChecked());
        }
        (this->*handler)();
    });
}

void MainWindow::connectCommands()
{
    auto on = [this](QAction* action, void (MainWindow::*handler)()) {
        connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    };
    on(importMainMenu, &MainWindow::importMainMenu_ButtonClick);
    connect(importMainMenu_grid, &QAction::triggered, this, [this] { importMainMenu_grid_Click(); });
    connect(importMainMenu_prop, &QAction::triggered, this, [this] { importMainMenu_prop_Click(); });
    connect(importMainMenu_well, &QAction::triggered, this, [this] { importMainMenu_well_Click(); });
    on(dataManagerMainMenu, &MainWindow::dataManagerMainMenu_Click);
    onClickKeepingState(productionMainMenu, &MainWindow::productionMainMenu_Click);  // pressed by the handler
    on(developmentMenu_load, &MainWindow::загрузитьДанныеПоДобычеToolStripMenuItem_Click);
    onClickKeepingState(legendMainMenu, &MainWindow::legendMainMenu_Click);
    on(statisticsMainMenu, &MainWindow::toolStripButton10_Click);
    on(modelMenu_Stat, &MainWindow::авторToolStripMenuItem_Click);
    on(modelMenu_palette, &MainWindow::настроитьПалитруToolStripMenuItem_Click);
    on(modelMenu_hidegrid, &MainWindow::скрытьСеткуЯчеекToolStripMenuItem_Click);
    on(modelMenu_wellontop, &MainWindow::отобразитьСкважиныПоверхМоделиToolStripMenuItem_Click);
    on(modelMenu_fitview, &MainWindow::modelMenu_fitview_Click);
    on(fitViewMainMenu, &MainWindow::modelMenu_fitview_Click);
    on(modelMenu_inactive, &MainWindow::modelMenu_inactive_Click);
    on(settingsMenu_general, &MainWindow::общиеНастройкиToolStripMenuItem_Click);
    on(EnglishLangMenu, &MainWindow::EnglishLangMenuItem_Click);
    on(RussianLangMenu, &MainWindow::RussianLangMenuItem_Click);
    on(projectMenu_Exit, &MainWindow::выйтиToolStripMenuItem_Click);
    onClickKeepingState(viewTab, &MainWindow::viewTab_Click_1);
    onClickKeepingState(analysisTab, &MainWindow::analysisTab_Click_1);
    onClickKeepingState(wellsectionMainMenu, &MainWindow::wellsectionMainMenu_Click);
    onClickKeepingState(flatsectionMainMenu, &MainWindow::flatsectionMainMenu_Click);
    onClickKeepingState(layersMainMenu, &MainWindow::layersMainMenu_Click);
    onClickKeepingState(threedMainMenu, &MainWindow::threedMainMenu_Click);
    on(clopboardMainMenu, &MainWindow::toolStripButton14_Click);
    on(aboutMenu_about, &MainWindow::оПрограммеToolStripMenuItem2_Click);
    on(aboutMenu_feedback, &MainWindow::FeedbackMenu_Click);
    on(aboutMenu_support, &MainWindow::помощьToolStripMenuItem_Click);

    connect(twod_Menu, &QToolButton::clicked, this, &MainWindow::twod_Menu_Click);
    connect(rotate_Menu, &QToolButton::clicked, this, &MainWindow::rotate_Menu_Click);
    connect(displayGrid_Menu, &QToolButton::clicked, this, &MainWindow::displayGrid_Menu_Click);
    connect(cut_well_Menu, &QToolButton::clicked, this, &MainWindow::cut_well_Menu_Click);
    connect(modelTree_, &ModelTreePanel::contactToggled, this, &MainWindow::showContact);
    connect(wellsPanel_, &WellsPanel::lineWidthChosen, this, &MainWindow::setWellLineWidth);
    connect(wellsPanel_, &WellsPanel::labelSizeChosen, this, &MainWindow::setWellLabelSize);
    connect(wellsPanel_, &WellsPanel::labelColourChosen, this, &MainWindow::setWellLabelColour);
    connect(wellsPanel_, &WellsPanel::lineColourChosen, this, &MainWindow::setWellLineColour);
    connect(modelTree_, &ModelTreePanel::nodeSelected, this, &MainWindow::selectModelTreeNode);
    connect(&legend(), &PropertyLegend::rampColourPicked, this, &MainWindow::changeRampColourTo);
    connect(&legend(), &PropertyLegend::limitClicked, this, &MainWindow::editColourLimit);
    connect(&legend(), &PropertyLegend::barClicked, this, &MainWindow::recolourCodeBar);
    connect(&legend(), &PropertyLegend::mouseEntered, this, &MainWindow::showRampPickers);
    connect(settingsDialog_, &SettingsDialog::closing, this, &MainWindow::takeSettings);
    connect(sectionWellPicker_, &SectionWellPicker::visibilityChanged, this, &MainWindow::buildSectionWhenPicked);
    rotate_Menu->installEventFilter(this);
    // The small view buttons follow the copy button whenever its caption changes its size or place.
    if (QWidget* copy = toolStrip2->widgetForAction(clopboardMainMenu)) copy->installEventFilter(this);
}

void MainWindow::productionMainMenu_Click()
{
    if (!glView_) return;
    productionMainMenu->setChecked(toggleProductionDisplay(ProductionContext{state_, *this, *glView_, *prompts_},
                                                           productionMainMenu->isChecked()));
}

void MainWindow::importProductionFromPath(const std::string& path)
{
    if (importProductionFile(state_, *this, path).read && !state_.oilProd.empty() && !productionMainMenu->isChecked())
        productionMainMenu_Click();
}

void MainWindow::importMainMenu_ButtonClick()
{
    if (auto* button = qobject_cast<QToolButton*>(toolStrip2->widgetForAction(importMainMenu))) button->showMenu();
}

// View modes. The four mode buttons form one group: switching one on unchecks the other three.

void MainWindow::checkOnlyMode(QAction* mode)
{
    for (QAction* a : {wellsectionMainMenu, flatsectionMainMenu, layersMainMenu, threedMainMenu})
        a->setChecked(a == mode);
}

void MainWindow::applyModeButtons(QAction* mode, ModeButtons buttons)
{
    if (buttons == ModeButtons::OnlyThisOne) checkOnlyMode(mode);
    if (buttons == ModeButtons::ThisOneOff) mode->setChecked(false);
}

void MainWindow::uncheckModes() { showShell(state_); }

void MainWindow::rebuildPropertyArrays() { rebuildDisplayedProperty(state_, glView_); }

void MainWindow::flatsectionMainMenu_Click()
{
    applyModeButtons(flatsectionMainMenu, switchFlatSection(state_, glView_, flatsectionMainMenu->isChecked()));
}

void MainWindow::layersMainMenu_Click()
{
    applyModeButtons(layersMainMenu, switchLayerView(state_, glView_, layersMainMenu->isChecked()));
}

void MainWindow::threedMainMenu_Click()
{
    const ModeButtons buttons = switchFilterView(state_, glView_, threedMainMenu->isChecked(), twod_Menu->isChecked());
    applyModeButtons(threedMainMenu, buttons);
    if (buttons != ModeButtons::OnlyThisOne) return;
    // The property filter dialog takes over from here (it sets the filter view when it is hidden).
    propertyFilterDialog_->setDisplayedProperty(
        state_.PROP_max_value_color, state_.PROP_min_value_color, state_.prop_no_morvane, state_.r3, state_.g3,
        state_.b3, state_.r2, state_.g2, state_.b2, state_.r1, state_.g1, state_.b1, state_.PROP_type_displaying);
    propertyFilterDialog_->show();
    propertyFilterDialog_->raise();
    propertyFilterDialog_->showLimits();
}

void MainWindow::twod_Menu_Click()
{
    // On, the top view leaves every mode, so no mode button stays pressed.
    if (twod_Menu->isChecked()) checkOnlyMode(nullptr);
    switchTopView(state_, glView_, twod_Menu->isChecked());
}

void MainWindow::rotate_Menu_Click() { state_.rotating = rotate_Menu->isChecked(); }

void MainWindow::rotate_Menu_MouseHover() { QToolTip::showText(QCursor::pos(), rotateToolStrip, rotate_Menu); }

void MainWindow::displayGrid_Menu_Click() { state_.displayGridLines = displayGrid_Menu->isChecked(); }

void MainWindow::showContact(ContactKind kind, bool on)
{
    (kind == ContactKind::OWC ? state_.displayOWC : state_.displayGOC) = on;
}

// Tabs: the view set and the analysis set are shown one at a time.

void MainWindow::showTab(bool view)
{
    viewTab->setChecked(view);
    analysisTab->setChecked(!view);
    for (QAction* a : {importMainMenu, dataManagerMainMenu, completionsMainMenu, fracsMainMenu, productionMainMenu,
                       toolStripSeparator5, statisticsMainMenu, legendMainMenu, layersMainMenu, toolStripSeparator2,
                       flatsectionMainMenu, wellsectionMainMenu, threedMainMenu, fitViewMainMenu, toolStripSeparator1})
        a->setVisible(view);
    for (QAction* a : {stoiipContourMainMenu, stoiipWellMainMenu, KHMainMenu}) a->setVisible(!view);
    fitCommandRow();
}

void MainWindow::viewTab_Click_1() { showTab(!viewTab->isChecked()); }

void MainWindow::analysisTab_Click_1() { showTab(analysisTab->isChecked()); }

// Display toggles.

void MainWindow::скрытьСеткуЯчеекToolStripMenuItem_Click()
{
    state_.Lang = appSettings().ReadAppSettings(settings_key::Lang);
    const bool ru = state_.Lang == "ru";
    if (state_.displayGridLines) {
        state_.displayGridLines = false;
        modelMenu_hidegrid->setText(ru ? QStringLiteral("Показать сетку ячеек") : QStringLiteral("Show grid lines"));
    } else {
        state_.displayGridLines = true;
        modelMenu_hidegrid->setText(ru ? QStringLiteral("Скрыть сетку ячеек") : QStringLiteral("Hide grid lines"));
    }
}

void MainWindow::legendMainMenu_Click()
{
    if (legendMainMenu->isChecked()) {
        legendMainMenu->setChecked(false);
        legend().hide();
    } else {
        legendMainMenu->setChecked(true);
        legend().show();
    }
}

void MainWindow::modelMenu_fitview_Click() { fitModelInView(state_); }

// The item's check mark is the choice; it is kept for the next start.
void MainWindow::modelMenu_inactive_Click()
{
    const bool show = modelMenu_inactive->isChecked();
    showInactiveCells(state_, glView_, show);
    appSettings().UpdateAppSettings(settings_key::show_inactive_cells, boolText(show));
}

// Windows.

void MainWindow::toolStripButton10_Click()
{
    statisticsDialog_->updateLang(state_.Lang);
    statisticsDialog_->show();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = statisticsDialog_->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        statisticsDialog_->move(frame.topLeft());
    }
    statisticsDialog_->raise();
}

void MainWindow::авторToolStripMenuItem_Click() { toolStripButton10_Click(); }

void MainWindow::общиеНастройкиToolStripMenuItem_Click()
{
    const std::string lang = state_.Lang;
    settingsDialog_->updateLang(lang);
    settingsDialog_->exec();
}

void MainWindow::takeSettings()
{
    const QColor background = settingsDialog_->background();
    state_.BACKGROUND_COLOR = {background.red(), background.green(), background.blue()};
    applyBackgroundColor();
    state_.twoD_ortho = settingsDialog_->orthographicTopView();
    state_.oneLayer = appSettings().readFlag(settings_key::oneLayer);
    state_.transp_model = (!state_.oneLayer && state_.layers_mode) ? 0.5f : 1.0f;
    state_.BUBBLE_COEF = settingsDialog_->bubbleSize();
    state_.BUBBLE_LABEL_SIZE = settingsDialog_->bubbleTextSize();
    if (glView_) glView_->changeBackgroundColor();
    state_.COPYRIGHT_LABEL = appSettings().ReadAppSettings(settings_key::copy);
}

void MainWindow::выйтиToolStripMenuItem_Click() { close(); }

void MainWindow::оПрограммеToolStripMenuItem2_Click()
{
    AboutDialog about(this);
    about.exec();
}

void MainWindow::FeedbackMenu_Click()
{
    FeedbackDialog feedback(this);
    feedback.exec();
}

void MainWindow::помощьToolStripMenuItem_Click() { supportDialog_->exec(); }

}  // namespace morvane
