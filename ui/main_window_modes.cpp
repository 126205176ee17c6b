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
#include "commands/property_display.h"
#include "commands/view_modes.h"
#include "model/undefined_values.h"
#include "platform/app_settings.h"
#include "scene/property_colouring.h"
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

bool MainWindow::runCommand(std::string_view id)
{
    for (const WindowCommand& command : commandTable()) {
        if (command.id != id) continue;
        if (!command.run) return false;
        command.run(*this);
        return true;
    }
    return false;
}

void MainWindow::connectCommands()
{
    // Every action of a command runs it; a check mark the handler decides is put back first, since Qt has already
    // flipped it and the handler decides from the state before the click.
    const auto connectCommand = [this](const WindowCommand& command, QAction* action) {
        if (!command.run) return;
        const bool keepState = command.check == CheckMark::Handler;
        connect(action, &QAction::triggered, this, [this, action, run = command.run, keepState] {
            if (keepState) {
                QSignalBlocker block(action);
                action->setChecked(!action->isChecked());
            }
            run(*this);
        });
    };
    for (const auto& [command, action] : ribbon_.commandActions()) connectCommand(*command, action);
    for (const auto& [command, item] : menus_.commandItems()) connectCommand(*command, item);

    auto on = [this](QAction* action, void (MainWindow::*handler)()) {
        connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    };
    auto onClickKeepingState = [this](QAction* action, void (MainWindow::*handler)()) {
        connect(action, &QAction::triggered, this, [this, action, handler] {
            QSignalBlocker block(action);
            action->setChecked(!action->isChecked());
            (this->*handler)();
        });
    };
    on(ribbon_.importCommand, &MainWindow::openImportMenu);
    connect(menus_.english, &QAction::triggered, this, [this] { chooseLanguage("en"); });
    connect(menus_.russian, &QAction::triggered, this, [this] { chooseLanguage("ru"); });
    onClickKeepingState(ribbon_.viewTab, &MainWindow::clickViewTab);
    onClickKeepingState(ribbon_.analysisTab, &MainWindow::clickAnalysisTab);

    connect(ribbon_.topViewButton, &QToolButton::clicked, this, &MainWindow::toggleTopView);
    connect(ribbon_.rotateButton, &QToolButton::clicked, this, &MainWindow::toggleRotation);
    connect(ribbon_.gridLinesButton, &QToolButton::clicked, this, &MainWindow::setGridLinesFromButton);
    connect(ribbon_.cutWellsButton, &QToolButton::clicked, this, &MainWindow::toggleCutWells);
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
    ribbon_.rotateButton->installEventFilter(this);
    // The small view buttons follow the copy button whenever its caption changes its size or place.
    if (QWidget* copy = ribbon_.commandRow->widgetForAction(ribbon_.copyPicture)) copy->installEventFilter(this);
}

void MainWindow::toggleProduction()
{
    if (!glView_) return;
    ribbon_.production->setChecked(toggleProductionDisplay(
        ProductionContext{state_, *this, glView_->scene(), *prompts_}, ribbon_.production->isChecked()));
}

void MainWindow::importProductionFromPath(const std::string& path)
{
    if (importProductionFile(state_, *this, path).read && !state_.document.wells.empty() &&
        !ribbon_.production->isChecked())
        toggleProduction();
}

void MainWindow::openImportMenu()
{
    if (auto* button = qobject_cast<QToolButton*>(ribbon_.commandRow->widgetForAction(ribbon_.importCommand)))
        button->showMenu();
}

// View modes. The four mode buttons form one group: switching one on unchecks the other three.

void MainWindow::checkOnlyMode(QAction* mode)
{
    for (QAction* a : {ribbon_.wellSection, ribbon_.flatSection, ribbon_.layerView, ribbon_.filterView})
        a->setChecked(a == mode);
}

void MainWindow::applyModeButtons(QAction* mode, ModeButtons buttons)
{
    if (buttons == ModeButtons::OnlyThisOne) checkOnlyMode(mode);
    if (buttons == ModeButtons::ThisOneOff) mode->setChecked(false);
}

void MainWindow::uncheckModes() { showShell(state_); }

void MainWindow::rebuildPropertyArrays() { rebuildDisplayedProperty(state_, sceneOperations()); }

void MainWindow::toggleFlatSection()
{
    applyModeButtons(ribbon_.flatSection,
                     switchFlatSection(state_, sceneOperations(), ribbon_.flatSection->isChecked()));
}

void MainWindow::toggleLayerView()
{
    applyModeButtons(ribbon_.layerView, switchLayerView(state_, sceneOperations(), ribbon_.layerView->isChecked()));
}

void MainWindow::toggleFilterView()
{
    const ModeButtons buttons = switchFilterView(state_, sceneOperations(), ribbon_.filterView->isChecked(),
                                                 ribbon_.topViewButton->isChecked());
    applyModeButtons(ribbon_.filterView, buttons);
    if (buttons != ModeButtons::OnlyThisOne) return;
    // The property filter dialog takes over from here (it sets the filter view when it is hidden).
    const PropertySet& properties = state_.document.properties;
    const Property* shown = properties.find(state_.view.shownProperty);
    if (!shown) return;
    const int kind = static_cast<int>(shown->kind);
    propertyFilterDialog_->setProperty(
        shown->name, shown->highLimit, shown->lowLimit,
        kind >= 0 && kind < kPropertyKindCount ? properties.ramps[static_cast<std::size_t>(kind)] : ColourRamp{});
    // The window says how many of the shown property's cells the cut or range on show keeps.
    const std::string name = shown->name;
    propertyFilterDialog_->setKeptCounter(
        [this, name](const PropertyFilterSetting& filter) {
        const Property* p = state_.document.properties.find(name);
        if (!p) return std::string();
        return keptCellsText(name, keptCellCount(*p, filter, state_.document.grid.active),
                             keptCellCount(*p, {}, state_.document.grid.active), state_.view.language);
        },
        state_.view.language);
    propertyFilterDialog_->setCodes(shown->discrete);
    propertyFilterDialog_->show();
    propertyFilterDialog_->raise();
    propertyFilterDialog_->showLimits();
}

void MainWindow::toggleTopView()
{
    // On, the top view leaves every mode, so no mode button stays pressed.
    if (ribbon_.topViewButton->isChecked()) checkOnlyMode(nullptr);
    switchTopView(state_, sceneOperations(), ribbon_.topViewButton->isChecked());
}

void MainWindow::toggleRotation() { state_.view.animation.spinning = ribbon_.rotateButton->isChecked(); }

void MainWindow::showRotateTip()
{
    QToolTip::showText(QCursor::pos(), ribbon_.rotateButton->toolTip(), ribbon_.rotateButton);
}

void MainWindow::setGridLinesFromButton() { state_.view.display.gridLines = ribbon_.gridLinesButton->isChecked(); }

void MainWindow::showContact(ContactKind kind, bool on)
{
    (kind == ContactKind::OWC ? state_.view.contacts.owc : state_.view.contacts.goc) = on;
}

// Tabs: the view set and the analysis set are shown one at a time.

void MainWindow::showTab(bool view) { ribbon_.showTab(view); }

void MainWindow::clickViewTab() { showTab(!ribbon_.viewTab->isChecked()); }

void MainWindow::clickAnalysisTab() { showTab(ribbon_.analysisTab->isChecked()); }

// Display toggles.

void MainWindow::toggleGridLinesItem()
{
    state_.view.language = appSettings().ReadAppSettings(settings_key::Lang);
    const bool ru = state_.view.language == "ru";
    if (state_.view.display.gridLines) {
        state_.view.display.gridLines = false;
        menus_.gridLines->setText(ru ? QStringLiteral("Показать сетку ячеек") : QStringLiteral("Show grid lines"));
    } else {
        state_.view.display.gridLines = true;
        menus_.gridLines->setText(ru ? QStringLiteral("Скрыть сетку ячеек") : QStringLiteral("Hide grid lines"));
    }
}

void MainWindow::toggleLegend()
{
    if (ribbon_.legend->isChecked()) {
        ribbon_.legend->setChecked(false);
        legend().hide();
    } else {
        ribbon_.legend->setChecked(true);
        legend().show();
    }
}

// The item's check mark is the choice; it is kept for the next start.
void MainWindow::toggleInactiveCells()
{
    const bool show = menus_.inactiveCells->isChecked();
    showInactiveCells(state_, sceneOperations(), show);
    appSettings().UpdateAppSettings(settings_key::show_inactive_cells, boolText(show));
}

// Windows.

void MainWindow::showStatistics()
{
    statisticsDialog_->updateLang(state_.view.language);
    statisticsDialog_->show();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = statisticsDialog_->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        statisticsDialog_->move(frame.topLeft());
    }
    statisticsDialog_->raise();
}

void MainWindow::openSettings()
{
    const std::string lang = state_.view.language;
    settingsDialog_->updateLang(lang);
    settingsDialog_->exec();
}

void MainWindow::takeSettings()
{
    const QColor background = settingsDialog_->background();
    state_.view.display.background = {background.red(), background.green(), background.blue()};
    applyBackgroundColor();
    state_.view.display.orthographicTopView = settingsDialog_->orthographicTopView();
    state_.view.layer.oneAtATime = appSettings().readFlag(settings_key::oneLayer);
    state_.view.display.modelOpacity =
        (!state_.view.layer.oneAtATime && state_.view.is(ViewMode::Layers)) ? 0.5f : 1.0f;
    state_.view.production.scale = settingsDialog_->bubbleSize();
    state_.view.production.labelSize = settingsDialog_->bubbleTextSize();
    if (glView_) glView_->scene().applyBackground();
    state_.view.display.signature = appSettings().ReadAppSettings(settings_key::copy);
    state_.document.properties.undefinedMarkers =
        markersOfSetting(appSettings().ReadAppSettings(settings_key::undefinedValues));
}

void MainWindow::quit() { close(); }

void MainWindow::showAbout()
{
    AboutDialog about(this);
    about.exec();
}

void MainWindow::showFeedback()
{
    FeedbackDialog feedback(this);
    feedback.exec();
}

void MainWindow::showSupport() { supportDialog_->exec(); }

}  // namespace morvane
