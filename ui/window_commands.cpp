#include "ui/window_commands.h"

#include "commands/model_display.h"
#include "ui/main_window.h"
#include "ui/ui_text.h"

namespace morvane {

namespace {

// Texts of commands the table has no pair for.
constexpr TextPair kCompletionsTip{"Well completions (not available yet)", "Перфорации скважин (пока недоступно)"};
constexpr TextPair kFracsTip{"Hydraulic fractures (not available yet)", "Гидроразрывы пласта (пока недоступно)"};
constexpr TextPair kStoiipContourTip{"Oil in place within a contour (not available yet)",
                                     "Запасы нефти в контуре (пока недоступно)"};
constexpr TextPair kStoiipWellTip{"Oil in place around the wells (not available yet)",
                                  "Запасы нефти по скважинам (пока недоступно)"};
constexpr TextPair kKhTip{"Kh: permeability times thickness (not available yet)",
                          "Расчёт Kh: проницаемость на толщину (пока недоступно)"};
constexpr TextPair kFitView{"Fit view", "Вписать"};
constexpr TextPair kFitViewTip{"Show the whole model (F)", "Показать всю модель (F)"};
constexpr TextPair kFitViewItem{"Fit view", "Вписать модель в окно"};
constexpr TextPair kInactiveCells{"Show inactive cells", "Показывать неактивные ячейки"};

}  // namespace

QString ribbonActionName(const WindowCommand& command)
{
    // The Import button's entries are items of its menu.
    const char* suffix = command.ribbon == RibbonGroup::ImportMenu ? "Item" : "Command";
    return QString::fromLatin1(command.id.data(), static_cast<int>(command.id.size())) + QLatin1String(suffix);
}

QString menuItemName(const WindowCommand& command)
{
    return QString::fromLatin1(command.id.data(), static_cast<int>(command.id.size())) + QLatin1String("Item");
}

QString commandText(const CommandText& text, const std::string& lang)
{
    if (const Text* slot = std::get_if<Text>(&text)) return uiText(localText(*slot, lang));
    if (const TextPair* pair = std::get_if<TextPair>(&text)) return QString::fromStdString(pair->in(lang));
    return {};
}

std::span<const WindowCommand> MainWindow::commandTable()
{
    using R = RibbonGroup;
    using M = MenuGroup;
    using C = CheckMark;
    // In each ribbon group and each menu group the commands stand in the order of this table.
    static const WindowCommand table[] = {
        // The Import button's menu (offered in the Project menu too).
        {"importWells",
         R::ImportMenu,
         M::None,
         Text::ImportWells,
         {},
         {},
         nullptr,
         false,
         C::None,
         [](MainWindow& w) { w.importWells(); }},
        {"importGrid",
         R::ImportMenu,
         M::None,
         Text::ImportGrid,
         {},
         {},
         "Ctrl+O",
         false,
         C::None,
         [](MainWindow& w) { w.importGrid(); }},
        {"importProperties",
         R::ImportMenu,
         M::None,
         Text::ImportProperties,
         {},
         {},
         "Ctrl+Shift+O",
         false,
         C::None,
         [](MainWindow& w) { w.importProperties(); }},
        // Project.
        {"openProject", R::None, M::ProjectFile, Text::OpenProject},
        {"saveProject", R::None, M::ProjectFile, Text::SaveProject},
        {"saveProjectAs", R::None, M::ProjectFile, Text::SaveProjectAs},
        {"closeProject", R::None, M::ProjectFile, Text::CloseProject},
        {"quit", R::None, M::ProjectEnd, Text::Quit, {}, {}, "Ctrl+Q", false, C::None, [](MainWindow& w) { w.quit(); }},
        // Data.
        {"dataManager",
         R::Data,
         M::None,
         Text::DataManager,
         Text::DataManagerTip,
         {},
         nullptr,
         false,
         C::None,
         [](MainWindow& w) { w.openDataManager(); }},
        {"completions", R::Data, M::None, Text::Completions, kCompletionsTip},
        {"fractures", R::Data, M::None, Text::Fractures, kFracsTip},
        {"loadProduction",
         R::None,
         M::Development,
         Text::LoadProduction,
         {},
         {},
         nullptr,
         false,
         C::None,
         [](MainWindow& w) { w.openDataManager(); }},
        {"developmentStart", R::None, M::Development, Text::DevelopmentStart},
        // Display.
        {"legend",
         R::Display,
         M::None,
         Text::Legend,
         Text::LegendTip,
         {},
         nullptr,
         false,
         C::Handler,
         [](MainWindow& w) { w.toggleLegend(); }},
        {"statistics", R::Display, M::ModelInfo, Text::Statistics, Text::StatisticsTip, Text::ModelStatistics, nullptr,
         false, C::None, [](MainWindow& w) { w.showStatistics(); }},
        {"production",
         R::Display,
         M::None,
         Text::ProductionData,
         Text::ProductionDataTip,
         {},
         nullptr,
         false,
         C::Handler,
         [](MainWindow& w) { w.toggleProduction(); }},
        {"verticalStatistics", R::None, M::ModelInfo, Text::VerticalStatistics},
        {"reserves", R::None, M::ModelInfo, Text::Reserves},
        {"timeBinding", R::None, M::ModelInfo, Text::TimeBinding},
        {"palette",
         R::None,
         M::ModelLook,
         Text::Palette,
         {},
         {},
         nullptr,
         false,
         C::None,
         [](MainWindow& w) { w.openPaletteDialog(); }},
        {"gridLines",
         R::None,
         M::ModelLook,
         Text::HideGridLines,
         {},
         {},
         nullptr,
         false,
         C::None,
         [](MainWindow& w) { w.toggleGridLinesItem(); }},
        {"wellsOnTop",
         R::None,
         M::ModelLook,
         Text::WellsAboveModel,
         {},
         {},
         nullptr,
         false,
         C::None,
         [](MainWindow& w) { w.toggleWellsOnTop(); }},
        // View modes.
        {"wellSection",
         R::Modes,
         M::None,
         Text::WellSection,
         Text::WellSectionTip,
         {},
         nullptr,
         false,
         C::Handler,
         [](MainWindow& w) { w.toggleWellSection(); }},
        {"flatSection",
         R::Modes,
         M::None,
         Text::FlatSection,
         Text::FlatSectionTip,
         {},
         nullptr,
         false,
         C::Handler,
         [](MainWindow& w) { w.toggleFlatSection(); }},
        {"layerView",
         R::Modes,
         M::None,
         Text::LayerView,
         Text::LayerViewTip,
         {},
         nullptr,
         false,
         C::Handler,
         [](MainWindow& w) { w.toggleLayerView(); }},
        {"filterView",
         R::View,
         M::None,
         Text::FilterView,
         Text::FilterViewTip,
         {},
         nullptr,
         false,
         C::Handler,
         [](MainWindow& w) { w.toggleFilterView(); }},
        // The F key itself is previewed by the view's key handling; the menu shows it.
        {"fitView", R::View, M::ModelView, kFitView, kFitViewTip, kFitViewItem, "F", true, C::None,
         [](MainWindow& w) { fitModelInView(w.state_); }},
        {"inactiveCells",
         R::None,
         M::ModelView,
         kInactiveCells,
         {},
         {},
         nullptr,
         false,
         C::Own,
         [](MainWindow& w) { w.toggleInactiveCells(); }},
        // Analysis.
        {"oilInPlaceContour", R::Analysis, M::None, Text::StoiipInContour, kStoiipContourTip},
        {"oilInPlaceWells", R::Analysis, M::None, Text::StoiipOfWells, kStoiipWellTip},
        {"kh", R::Analysis, M::None, Text::KhCalculation, kKhTip},
        // The right end of the ribbon.
        {"copyPicture",
         R::RightEnd,
         M::None,
         Text::CopyPicture,
         Text::CopyPictureTip,
         {},
         "Ctrl+C",
         false,
         C::None,
         [](MainWindow& w) { w.copyViewToClipboard(); }},
        // Settings and About.
        {"generalSettings",
         R::None,
         M::Settings,
         Text::GeneralSettings,
         {},
         {},
         "Ctrl+,",
         false,
         C::None,
         [](MainWindow& w) { w.openSettings(); }},
        {"hardwareSettings", R::None, M::Settings, Text::HardwareSettings},
        {"about",
         R::None,
         M::About,
         Text::AboutProgram,
         {},
         {},
         "F1",
         false,
         C::None,
         [](MainWindow& w) { w.showAbout(); }},
        {"feedback",
         R::None,
         M::About,
         Text::Feedback,
         {},
         {},
         nullptr,
         false,
         C::None,
         [](MainWindow& w) { w.showFeedback(); }},
        {"support",
         R::None,
         M::About,
         Text::SupportProgram,
         {},
         {},
         nullptr,
         false,
         C::None,
         [](MainWindow& w) { w.showSupport(); }},
    };
    return table;
}

}  // namespace morvane
