// The text table's pairs named by what they say, so code asks for Text::ImportGrid rather than for slot 204. The
// value of each name is the pair's base slot in the table (core/localisation.cpp).
#pragma once

#include <string>

#include "core/localisation.h"

namespace morvane {

enum class Text : int {
    // Menus and their items.
    ProjectMenu = 0,
    OpenProject = 2,
    SaveProject = 4,
    SaveProjectAs = 6,
    CloseProject = 8,
    Quit = 10,
    ModelMenu = 20,
    ModelStatistics = 22,
    VerticalStatistics = 24,
    Reserves = 26,
    TimeBinding = 28,
    Palette = 30,
    HideGridLines = 32,
    WellsAboveModel = 34,
    DevelopmentMenu = 40,
    LoadProduction = 42,
    DevelopmentStart = 44,
    SettingsMenu = 60,
    GeneralSettings = 62,
    HardwareSettings = 64,
    AboutMenu = 80,
    AboutProgram = 82,
    SupportProgram = 84,
    Feedback = 88,
    // The ribbon: analysis commands, tabs, commands and their tool tips.
    StoiipInContour = 100,
    StoiipOfWells = 102,
    KhCalculation = 104,
    GeologyTab = 180,
    ViewTab = 182,
    AnalysisTab = 184,
    HistoryMatchingTab = 186,
    Import = 200,
    ImportWells = 202,
    ImportGrid = 204,
    ImportProperties = 206,
    ImportTip = 208,
    Completions = 220,
    Fractures = 240,
    ProductionData = 260,
    ProductionDataTip = 262,
    Statistics = 280,
    StatisticsTip = 282,
    Legend = 300,
    LegendTip = 302,
    LayerView = 320,
    LayerViewTip = 322,
    FlatSection = 340,
    FlatSectionTip = 342,
    WellSection = 360,
    WellSectionTip = 362,
    FilterView = 380,
    FilterViewTip = 382,
    DataManager = 400,
    DataManagerTip = 402,
    CopyPicture = 420,
    CopyPictureTip = 422,
    RotateTip = 508,
};

inline const std::string& localText(Text text, const std::string& lang)
{
    return localText(static_cast<int>(text), lang);
}

}  // namespace morvane
