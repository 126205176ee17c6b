// Interface texts from the localisation table and the language menu.
#include <QAction>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

#include "ui/color_button.h"
#include "ui/events_log_panel.h"
#include "ui/model_tree_panel.h"
#include "ui/wells_panel.h"

#include "core/localisation.h"
#include "platform/app_settings.h"
#include "ui/main_window.h"
#include "ui/property_legend.h"
#include "ui/ui_text.h"
#include "ui/view_panel.h"

namespace morvane {

namespace {

// Tool tips of the commands the table gives none, and the recent files menu.
constexpr TextPair kRecentFiles{"Recent files", "Недавние файлы"};
constexpr TextPair kCompletionsTip{"Well completions (not available yet)", "Перфорации скважин (пока недоступно)"};
constexpr TextPair kFracsTip{"Hydraulic fractures (not available yet)", "Гидроразрывы пласта (пока недоступно)"};
constexpr TextPair kStoiipContourTip{"Oil in place within a contour (not available yet)",
                                     "Запасы нефти в контуре (пока недоступно)"};
constexpr TextPair kStoiipWellTip{"Oil in place around the wells (not available yet)",
                                  "Запасы нефти по скважинам (пока недоступно)"};
constexpr TextPair kKhTip{"Kh: permeability times thickness (not available yet)",
                          "Расчёт Kh: проницаемость на толщину (пока недоступно)"};
constexpr TextPair kTopViewTip{"Top view in 2D; press again to turn back to the 3D view",
                               "Вид сверху в 2D; повторное нажатие возвращает к 3D"};
constexpr TextPair kGridLinesTip{"Show or hide the cell edges", "Показать или скрыть рёбра ячеек"};
constexpr TextPair kCutWellsTip{"Cut the wells at the top and bottom of the model",
                                "Обрезать скважины по кровле и подошве модели"};
constexpr TextPair kGocTip{"Show the gas-oil contact", "Показать газонефтяной контакт"};
constexpr TextPair kOwcTip{"Show the oil-water contact", "Показать водонефтяной контакт"};
constexpr TextPair kLabelSizeTip{"Size of the well labels", "Размер подписей скважин"};
constexpr TextPair kLabelColourTip{"Colour of the well labels", "Цвет подписей скважин"};
constexpr TextPair kLineWidthTip{"Width of the well lines", "Толщина линий скважин"};
constexpr TextPair kLineColourTip{"Colour of the well lines", "Цвет линий скважин"};
constexpr TextPair kExaggerationTip{"Vertical exaggeration: drag up for more, down for less (keys W and S)",
                                    "Вертикальное преувеличение: вверх — больше, вниз — меньше (клавиши W и S)"};

}  // namespace

void MainWindow::updateFormLang()
{
    const std::string& lang = state_.Lang;
    auto text = [&lang](int base) { return localUiText(base, lang); };

    const std::pair<QMenu*, int> menus[] = {
        {projectMenu, 0}, {modelMenu, 20}, {developmentMenu, 40}, {settingsMenu, 60}, {aboutMenu, 80}};
    for (const auto& [menu, base] : menus) menu->setTitle(text(base));

    const std::pair<QAction*, int> items[] = {{projectMenu_Open, 2},      {projectMenu_Save, 4},
                                              {projectMenu_SaveAs, 6},    {projectMenu_Close, 8},
                                              {projectMenu_Exit, 10},     {modelMenu_Stat, 22},
                                              {modelMenu_GSR, 24},        {modelMenu_reserves, 26},
                                              {modelMenu_time, 28},       {modelMenu_palette, 30},
                                              {modelMenu_hidegrid, 32},   {modelMenu_wellontop, 34},
                                              {developmentMenu_load, 42}, {developmentMenu_time, 44},
                                              {settingsMenu_general, 62}, {settingsMenu_hardware, 64},
                                              {aboutMenu_about, 82},      {aboutMenu_support, 84},
                                              {aboutMenu_feedback, 88},   {stoiipContourMainMenu, 100},
                                              {stoiipWellMainMenu, 102},  {KHMainMenu, 104},
                                              {geologyTab, 180},          {viewTab, 182},
                                              {analysisTab, 184},         {historyMatchTab, 186},
                                              {importMainMenu, 200},      {importMainMenu_well, 202},
                                              {importMainMenu_grid, 204}, {importMainMenu_prop, 206},
                                              {completionsMainMenu, 220}, {fracsMainMenu, 240},
                                              {productionMainMenu, 260},  {statisticsMainMenu, 280},
                                              {legendMainMenu, 300},      {layersMainMenu, 320},
                                              {flatsectionMainMenu, 340}, {wellsectionMainMenu, 360},
                                              {threedMainMenu, 380},      {dataManagerMainMenu, 400},
                                              {clopboardMainMenu, 420}};
    for (const auto& [action, base] : items) action->setText(text(base));

    const std::pair<QAction*, int> tips[] = {
        {importMainMenu, 208},      {productionMainMenu, 262},  {statisticsMainMenu, 282},  {legendMainMenu, 302},
        {layersMainMenu, 322},      {flatsectionMainMenu, 342}, {wellsectionMainMenu, 362}, {threedMainMenu, 382},
        {dataManagerMainMenu, 402}, {clopboardMainMenu, 422}};
    for (const auto& [action, base] : tips) action->setToolTip(text(base));

    const auto pair = [&lang](const TextPair& t) { return QString::fromStdString(t.in(lang)); };
    const std::pair<QAction*, TextPair> actionTips[] = {{completionsMainMenu, kCompletionsTip},
                                                        {fracsMainMenu, kFracsTip},
                                                        {stoiipContourMainMenu, kStoiipContourTip},
                                                        {stoiipWellMainMenu, kStoiipWellTip},
                                                        {KHMainMenu, kKhTip}};
    for (const auto& [action, tip] : actionTips) action->setToolTip(pair(tip));
    const std::pair<QWidget*, TextPair> widgetTips[] = {
        {twod_Menu, kTopViewTip}, {displayGrid_Menu, kGridLinesTip}, {cut_well_Menu, kCutWellsTip}};
    for (const auto& [widget, tip] : widgetTips) widget->setToolTip(pair(tip));
    projectMenu_Recent->setTitle(pair(kRecentFiles));

    // Commands the localisation table has no entries for.
    const bool ru = lang == "ru";
    modelMenu_fitview->setText(ru ? QStringLiteral("Вписать модель в окно") : QStringLiteral("Fit view"));
    fitViewMainMenu->setText(ru ? QStringLiteral("Вписать") : QStringLiteral("Fit view"));
    fitViewMainMenu->setToolTip(ru ? QStringLiteral("Показать всю модель (F)")
                                   : QStringLiteral("Show the whole model (F)"));
    modelMenu_inactive->setText(ru ? QStringLiteral("Показывать неактивные ячейки")
                                   : QStringLiteral("Show inactive cells"));

    wellsPanel_->setTexts(text(500), pair(kLabelSizeTip), pair(kLabelColourTip), pair(kLineWidthTip),
                          pair(kLineColourTip));
    modelTree_->setTexts(text(502), pair(kGocTip), pair(kOwcTip));
    eventsLog_->setCaption(text(504));
    legend().setTitle(text(506));
    viewPanel_->setSliderTip(pair(kExaggerationTip));
    rotateToolStrip = text(508);
    rotate_Menu->setToolTip(rotateToolStrip);  // shown by the hover handler
    refreshPickedCell();
}

void MainWindow::updateLang()
{
    if (state_.Lang == "en") {
        EnglishLangMenu->setChecked(true);
        RussianLangMenu->setChecked(false);
    } else if (state_.Lang == "ru") {
        EnglishLangMenu->setChecked(false);
        RussianLangMenu->setChecked(true);
    }
}

void MainWindow::EnglishLangMenuItem_Click()
{
    state_.Lang = "en";
    appSettings().UpdateAppSettings(settings_key::Lang, state_.Lang);
    updateLang();
    updateFormLang();
    fitCommandRow();
}

void MainWindow::RussianLangMenuItem_Click()
{
    state_.Lang = "ru";
    appSettings().UpdateAppSettings(settings_key::Lang, state_.Lang);
    updateLang();
    updateFormLang();
    fitCommandRow();
}

}  // namespace morvane
