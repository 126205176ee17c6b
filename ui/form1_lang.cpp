// Interface texts from the localisation table and the language menu.
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>

#include "platform/app_settings.h"
#include "ui/form1.h"
#include "ui/ui_text.h"

namespace morvane {

void Form1::updateFormLang()
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

    wellPaneLabel->setText(text(500));
    modelPaneLabel->setText(text(502));
    logPaneLabel->setText(text(504));
    propLegend->setTitle(text(506));
    rotateToolStrip = text(508);
}

void Form1::updateLang()
{
    if (state_.Lang == "en") {
        EnglishLangMenu->setChecked(true);
        RussianLangMenu->setChecked(false);
    } else if (state_.Lang == "ru") {
        EnglishLangMenu->setChecked(false);
        RussianLangMenu->setChecked(true);
    }
}

void Form1::EnglishLangMenuItem_Click()
{
    state_.Lang = "en";
    appSettings().UpdateAppSettings(settings_key::Lang, state_.Lang);
    updateLang();
    updateFormLang();
    fitCommandRow();
}

void Form1::RussianLangMenuItem_Click()
{
    state_.Lang = "ru";
    appSettings().UpdateAppSettings(settings_key::Lang, state_.Lang);
    updateLang();
    updateFormLang();
    fitCommandRow();
}

}  // namespace morvane
