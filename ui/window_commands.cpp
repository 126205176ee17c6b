#include "ui/window_commands.h"

#include "commands/model_display.h"
#include "commands/property_display.h"
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
constexpr TextPair kLogScale{"Logarithmic colour scale", "Логарифмическая шкала цвета"};
constexpr TextPair kDataRangeLimits{"Colour limits: data range", "Пределы цвета: диапазон данных"};
constexpr TextPair kPercentileLimits{"Colour limits: P5 – P95", "Пределы цвета: P5 – P95"};

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
        {.id = "importWells",
         .ribbon = R::ImportMenu,
         .caption = Text::ImportWells,
         .run = [](MainWindow& w) { w.importWells(); }},
        {.id = "importGrid",
         .ribbon = R::ImportMenu,
         .caption = Text::ImportGrid,
         .shortcut = "Ctrl+O",
         .run = [](MainWindow& w) { w.importGrid(); }},
        {.id = "importProperties",
         .ribbon = R::ImportMenu,
         .caption = Text::ImportProperties,
         .shortcut = "Ctrl+Shift+O",
         .run = [](MainWindow& w) { w.importProperties(); }},
        // Project.
        {.id = "openProject", .menu = M::ProjectFile, .caption = Text::OpenProject},
        {.id = "saveProject", .menu = M::ProjectFile, .caption = Text::SaveProject},
        {.id = "saveProjectAs", .menu = M::ProjectFile, .caption = Text::SaveProjectAs},
        {.id = "closeProject", .menu = M::ProjectFile, .caption = Text::CloseProject},
        {.id = "quit",
         .menu = M::ProjectEnd,
         .caption = Text::Quit,
         .shortcut = "Ctrl+Q",
         .run = [](MainWindow& w) { w.quit(); }},
        // Data.
        {.id = "dataManager",
         .ribbon = R::Data,
         .caption = Text::DataManager,
         .tip = Text::DataManagerTip,
         .run = [](MainWindow& w) { w.openDataManager(); }},
        {.id = "completions", .ribbon = R::Data, .caption = Text::Completions, .tip = kCompletionsTip},
        {.id = "fractures", .ribbon = R::Data, .caption = Text::Fractures, .tip = kFracsTip},
        {.id = "loadProduction",
         .menu = M::Development,
         .caption = Text::LoadProduction,
         .run = [](MainWindow& w) { w.openDataManager(true); }},
        {.id = "developmentStart", .menu = M::Development, .caption = Text::DevelopmentStart},
        // Display.
        {.id = "legend",
         .ribbon = R::Display,
         .caption = Text::Legend,
         .tip = Text::LegendTip,
         .check = C::Handler,
         .run = [](MainWindow& w) { w.toggleLegend(); }},
        {.id = "statistics",
         .ribbon = R::Display,
         .menu = M::ModelInfo,
         .caption = Text::Statistics,
         .tip = Text::StatisticsTip,
         .menuCaption = Text::ModelStatistics,
         .run = [](MainWindow& w) { w.showStatistics(); }},
        {.id = "production",
         .ribbon = R::Display,
         .caption = Text::ProductionData,
         .tip = Text::ProductionDataTip,
         .check = C::Handler,
         .run = [](MainWindow& w) { w.toggleProduction(); }},
        {.id = "verticalStatistics", .menu = M::ModelInfo, .caption = Text::VerticalStatistics},
        {.id = "reserves", .menu = M::ModelInfo, .caption = Text::Reserves},
        {.id = "timeBinding", .menu = M::ModelInfo, .caption = Text::TimeBinding},
        {.id = "palette",
         .menu = M::ModelLook,
         .caption = Text::Palette,
         .run = [](MainWindow& w) { w.openPaletteDialog(); }},
        {.id = "gridLines",
         .menu = M::ModelLook,
         .caption = Text::HideGridLines,
         .run = [](MainWindow& w) { w.toggleGridLinesItem(); }},
        {.id = "wellsOnTop",
         .menu = M::ModelLook,
         .caption = Text::WellsAboveModel,
         .run = [](MainWindow& w) { w.toggleWellsOnTop(); }},
        // The shown property's colour scale and limits.
        {.id = "logScale",
         .menu = M::ModelLook,
         .caption = kLogScale,
         .run =
             [](MainWindow& w) {
                 const Property* shown = w.state_.document.properties.find(w.state_.view.shownProperty);
                 if (shown && w.glView_) setLogScale(w.propertyDisplayContext(), !shown->logScale);
             }},
        {.id = "dataRangeLimits",
         .menu = M::ModelLook,
         .caption = kDataRangeLimits,
         .run =
             [](MainWindow& w) {
                 if (w.glView_) resetColourLimits(w.propertyDisplayContext());
             }},
        {.id = "percentileLimits",
         .menu = M::ModelLook,
         .caption = kPercentileLimits,
         .run =
             [](MainWindow& w) {
                 if (w.glView_) percentileColourLimits(w.propertyDisplayContext());
             }},
        // View modes.
        {.id = "wellSection",
         .ribbon = R::Modes,
         .caption = Text::WellSection,
         .tip = Text::WellSectionTip,
         .check = C::Handler,
         .run = [](MainWindow& w) { w.toggleWellSection(); }},
        {.id = "flatSection",
         .ribbon = R::Modes,
         .caption = Text::FlatSection,
         .tip = Text::FlatSectionTip,
         .check = C::Handler,
         .run = [](MainWindow& w) { w.toggleFlatSection(); }},
        {.id = "layerView",
         .ribbon = R::Modes,
         .caption = Text::LayerView,
         .tip = Text::LayerViewTip,
         .check = C::Handler,
         .run = [](MainWindow& w) { w.toggleLayerView(); }},
        {.id = "filterView",
         .ribbon = R::View,
         .caption = Text::FilterView,
         .tip = Text::FilterViewTip,
         .check = C::Handler,
         .run = [](MainWindow& w) { w.toggleFilterView(); }},
        // The F key itself is previewed by the view's key handling; the menu shows it.
        {.id = "fitView",
         .ribbon = R::View,
         .menu = M::ModelView,
         .caption = kFitView,
         .tip = kFitViewTip,
         .menuCaption = kFitViewItem,
         .shortcut = "F",
         .menuKeyShownOnly = true,
         .run = [](MainWindow& w) { fitModelInView(w.state_); }},
        {.id = "inactiveCells",
         .menu = M::ModelView,
         .caption = kInactiveCells,
         .check = C::Own,
         .run = [](MainWindow& w) { w.toggleInactiveCells(); }},
        // Analysis.
        {.id = "oilInPlaceContour", .ribbon = R::Analysis, .caption = Text::StoiipInContour, .tip = kStoiipContourTip},
        {.id = "oilInPlaceWells", .ribbon = R::Analysis, .caption = Text::StoiipOfWells, .tip = kStoiipWellTip},
        {.id = "kh", .ribbon = R::Analysis, .caption = Text::KhCalculation, .tip = kKhTip},
        // The right end of the ribbon.
        {.id = "copyPicture",
         .ribbon = R::RightEnd,
         .caption = Text::CopyPicture,
         .tip = Text::CopyPictureTip,
         .shortcut = "Ctrl+C",
         .run = [](MainWindow& w) { w.copyViewToClipboard(); }},
        // Settings and About.
        {.id = "generalSettings",
         .menu = M::Settings,
         .caption = Text::GeneralSettings,
         .shortcut = "Ctrl+,",
         .run = [](MainWindow& w) { w.openSettings(); }},
        {.id = "hardwareSettings", .menu = M::Settings, .caption = Text::HardwareSettings},
        {.id = "about",
         .menu = M::About,
         .caption = Text::AboutProgram,
         .shortcut = "F1",
         .run = [](MainWindow& w) { w.showAbout(); }},
        {.id = "feedback", .menu = M::About, .caption = Text::Feedback, .run = [](MainWindow& w) { w.showFeedback(); }},
        {.id = "support",
         .menu = M::About,
         .caption = Text::SupportProgram,
         .run = [](MainWindow& w) { w.showSupport(); }},
    };
    return table;
}

}  // namespace morvane
