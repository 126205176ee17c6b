#include "app/snapshot.h"

#include <algorithm>
#include <iostream>

#include "commands/cell_pick.h"
#include "commands/command_line.h"
#include "commands/contacts_command.h"
#include "commands/grid_import_command.h"
#include "commands/production_command.h"
#include "commands/property_display.h"
#include "commands/property_import_command.h"
#include "commands/view_modes.h"
#include "commands/well_import_command.h"
#include "commands/well_section_command.h"
#include "core/localisation.h"
#include "io/file_text.h"
#include "platform/app_settings.h"
#include "platform/trace.h"
#include "render/offscreen_renderer.h"
#include "ui/clipboard_picture.h"
#include "ui/property_legend.h"

namespace morvane {

namespace {

// Said when not one property of a file fits the grid: the run draws nothing the user asked for from it.
constexpr TextPair kNoPropertyFits{
    "morvane: no property of {} fits the grid ({} cells), so none was loaded",
    "morvane: ни одно свойство из {} не подходит к гриду ({} ячеек), ничего не загружено"};

// The events log and message boxes of a run without windows: standard error.
class ConsoleFeedback final : public Feedback, public UserPrompts {
public:
    void setStatus(const std::string&) override {}
    void setProgress(int value) override { progress_ = value; }
    int progress() const override { return progress_; }
    void appendLog(const std::string& text, LogColour) override { std::cerr << text << '\n'; }
    void trace(const std::string& line) override { morvane::trace(line); }

    std::string openFileName(const std::string&, const std::string&) override { return {}; }
    void information(const std::string& text, const std::string& caption) override
    {
        std::cerr << caption << ": " << text << '\n';
    }

private:
    int progress_ = 0;
};

// The turn, the exaggeration and the layer view, flat section or top view of the command line, as the right drag,
// the exaggeration slider and the mode buttons set them. False, with the reason on standard error, when the grid does not allow it.
bool showModeView(ModelState& state, SceneOperations& view, const CommandLine& cl)
{
    const bool gridView = cl.view == SnapshotView::Layer || cl.view == SnapshotView::FlatSection ||
                          cl.view == SnapshotView::TopView || cl.turnDegrees != 0 || cl.exaggeration;
    if (gridView && !state.document.grid.loaded) {
        std::cerr << "morvane: --layer, --flat, --top, --turn and --exaggeration need a grid file\n";
        return false;
    }
    state.view.camera.rotation.z += cl.turnDegrees;
    if (cl.exaggeration) {
        state.view.camera.verticalScale = *cl.exaggeration;
        state.view.camera.scale.z = state.view.camera.scale.x * state.view.camera.verticalScale;
    }
    switch (cl.view) {
    case SnapshotView::Layer:
        if (cl.layer > state.document.grid.layers) {
            std::cerr << "morvane: --layer " << cl.layer << ": the grid has " << state.document.grid.layers
                      << " layers\n";
            return false;
        }
        state.view.layer.oneAtATime = !cl.eightLayers;
        state.view.layer.saved = cl.layer;
        switchLayerView(state, &view, false);
        break;
    case SnapshotView::FlatSection:
        switchFlatSection(state, &view, false);
        break;
    case SnapshotView::TopView:
        // The turn down to the top view, run to its end as the frames would run it.
        switchTopView(state, &view, true);
        for (int frame = 0; frame < 20 && state.view.animation.turningDown; ++frame) advanceViewAnimations(state);
        break;
    default:
        break;
    }
    return true;
}

// The grid with its property files, and the well files, of the command line, loaded as the menus load them; the
// names of the loaded properties go to `loaded`. False, with the reason on standard error, when one cannot be.
bool loadFiles(ModelState& state, const CommandLine& cl, const DataFileKinds& kinds, ConsoleFeedback& console,
               OffscreenRenderer& renderer, std::vector<std::string>& loaded)
{
    if (!cl.gridFile.empty()) {
        NoGridImportWindow noWindow;
        const GridImportContext ctx{state, console, renderer, noWindow, console};
        const GridImportOutcome outcome = importGridFile(ctx, cl.gridFile);
        if (outcome == GridImportOutcome::Cancelled) {
            std::cerr << "morvane: no such file: " << cl.gridFile << '\n';
            return false;
        }
        if (outcome != GridImportOutcome::Loaded) return false;

        NoPropertyImportWindow noLegend;
        const PropertyImportContext properties{state, console, renderer, noLegend, console};
        for (const std::string& file : kinds.others) {
            const PropertyImportResult result = importPropertyFile(properties, file, PropertyTypes::None);
            if (result.outcome != PropertyImportOutcome::Done) {
                std::cerr << "morvane: not a property or deviation file, so not loaded: " << file << '\n';
                return false;
            }
            if (result.accepted == 0) {
                std::cerr << fillText(kNoPropertyFits.in(state.view.language),
                                      {file, std::to_string(state.document.grid.cellCount)})
                          << '\n';
                return false;
            }
            loaded.insert(loaded.end(), result.names.begin(), result.names.end());
        }
    }
    if (!kinds.wells.empty()) {
        NoWellImportWindow noWindow;
        PreselectedWellColumns preselected(console);
        const WellImportResult wells =
            importWellFiles(WellImportContext{state, console, renderer, noWindow, preselected}, kinds.wells);
        if (wells.refused > 0) return false;
    }
    return true;
}

// The contacts and the production of the command line, shown as their toggles and the production button show
// them. False, with the reason on standard error, when one cannot be shown.
bool showContactsAndProduction(ModelState& state, const CommandLine& cl, ConsoleFeedback& console,
                               OffscreenRenderer& renderer)
{
    for (const auto& [kind, depth] :
         {std::pair{ContactKind::OWC, cl.owcDepth}, std::pair{ContactKind::GOC, cl.gocDepth}}) {
        if (depth && !showUniformContact(state, renderer, kind, *depth, console)) {
            std::cerr << "morvane: the " << contactName(kind) << " needs a loaded grid\n";
            return false;
        }
    }
    for (const auto& [kind, regional] :
         {std::pair{ContactKind::OWC, &cl.owcRegions}, std::pair{ContactKind::GOC, &cl.gocRegions}}) {
        if (*regional &&
            !showRegionalContact(state, renderer, kind, (*regional)->property, (*regional)->depths, console)) {
            std::cerr << "morvane: the " << contactName(kind) << " by regions needs a grid and a loaded property of "
                      << "codes called \"" << (*regional)->property << "\" that fits it\n";
            return false;
        }
    }
    if (!cl.productionFile.empty()) {
        const ProductionImport production = importProductionFile(state, console, cl.productionFile);
        if (!production.read) return false;
        if (production.wells == 0) {
            std::cerr << "morvane: no loaded well takes production from " << cl.productionFile << "\n";
            return false;
        }
        // With wells loaded the discs are shown as the production button shows them.
        if (!state.document.wells.empty())
            toggleProductionDisplay(ProductionContext{state, console, renderer, console}, false);
    }
    return true;
}

}  // namespace

int writeSnapshot(ModelState& state, const CommandLine& cl)
{
    const std::string& outFile = cl.snapshotFile;
    ConsoleFeedback console;
    const DataFileKinds kinds = sortDataFiles(cl.dataFiles);
    // Missing, or something other than a file (a folder, a pipe, a device, a link loop): said as such.
    for (const std::string& file : kinds.unreadable) {
        const FileProblem problem = fileProblemAt(file);
        if (problem == FileProblem::Missing || problem == FileProblem::None)
            std::cerr << "morvane: no such file: " << file << '\n';
        else
            std::cerr << "morvane: " << fileProblemText(problem, file).en << '\n';
    }
    if (!kinds.unreadable.empty()) return 1;
    std::string error;
    auto renderer =
        OffscreenRenderer::create(state, cl.width, cl.height, &error, OffscreenRenderer::Start::startGL, &console);
    if (!renderer) {
        std::cerr << "morvane: cannot render offscreen: " << error << '\n';
        return 2;
    }
    std::vector<std::string> loaded;
    if (!loadFiles(state, cl, kinds, console, *renderer, loaded)) return 1;

    // The scales asked for, before anything is coloured.
    for (const bool log : {true, false}) {
        for (const std::string& name : log ? cl.logScale : cl.linearScale) {
            Property* property = state.document.properties.find(name);
            if (!property || property->discrete) {
                std::cerr << "morvane: " << (log ? "--log-scale" : "--linear-scale") << " names no loaded property of "
                          << "values called \"" << name << "\"\n";
                return 1;
            }
            property->logScale = log;
            ++state.document.properties.revision;
        }
    }

    // The chosen property, or the first one loaded, shown as a click on its tree node would show it.
    PropertyLegend legend;
    const std::string shown = cl.propertyName.empty() && !loaded.empty() ? loaded.front() : cl.propertyName;
    if (!shown.empty()) {
        const std::optional<int> node = propertyNodeIndex(state.document.properties, shown);
        if (!node) {
            std::cerr << "morvane: no property called \"" << shown << "\" was loaded\n";
            return 1;
        }
        LegendDisplay legendDisplay(legend, state.document.properties, state.view.shownProperty,
                                    cl.width - PropertyLegend::Left - 12);
        const PropertyDisplayContext display{state, console, *renderer, legendDisplay};
        selectPropertyNode(display, {shown, *node, false});
        const Property& property = *state.document.properties.find(shown);
        if ((cl.filterCut || cl.filterRange) && property.discrete) {
            std::cerr << "morvane: the filter takes a property of values, and " << shown << " holds codes\n";
            return 1;
        }
        if (!cl.filterCodes.empty()) {
            if (!property.discrete) {
                std::cerr << "morvane: --filter-codes takes a property of codes, and " << shown << " holds values\n";
                return 1;
            }
            for (const int code : cl.filterCodes) {
                if (!std::binary_search(property.distinctCodes.begin(), property.distinctCodes.end(), code)) {
                    std::cerr << "morvane: no cell of " << shown << " holds the code " << code << '\n';
                    return 1;
                }
            }
        }
        if (cl.filterCut)
            applyPropertyFilter(display, *cl.filterCut, !cl.filterAbove);
        else if (cl.filterRange)
            applyPropertyFilter(display, PropertyFilterSetting::between(cl.filterRange->first, cl.filterRange->second));
        else if (!cl.filterCodes.empty())
            applyPropertyFilter(display, PropertyFilterSetting::holding(cl.filterCodes));
    } else if (cl.filterCut || cl.filterRange || !cl.filterCodes.empty()) {
        std::cerr << "morvane: --filter needs a property file after the grid\n";
        return 1;
    }
    if (!showContactsAndProduction(state, cl, console, *renderer)) return 1;
    if (!showModeView(state, *renderer, cl)) return 1;
    if (!cl.sectionWells.empty()) {
        NoWellSectionWindow noWindow;
        const WellSectionContext section{state, console, *renderer, noWindow, console, appSettings()};
        std::string why;
        if (!showSectionThroughWells(section, cl.sectionWells, &why)) {
            std::cerr << "morvane: no well section: " << why << '\n';
            return 1;
        }
    }

    if (cl.pickPixel) {
        // The pick reads the cells the last frame drew, as a click on the window does.
        renderer->frame();
        const CellPick pick = pickCell(state, renderer->scene().pickCell(cl.pickPixel->first, cl.pickPixel->second));
        renderer->scene().uploadPickedCell();
        std::cout << pick.status << std::endl;
    }

    QImage picture = renderer->frame().toQImage();
    if (!shown.empty()) {
        // The background the frame was drawn on: the view's, or the white of the well section.
        const auto& c = state.view.display.background;
        legend.setBackground(QColor(c[0], c[1], c[2]), state.view.section.unfolded ? Qt::black : Qt::white);
        legend.setAttribute(Qt::WA_DontShowOnScreen);
        legend.show();
        picture = composeClipboardPicture(picture, picture.width(), picture.height(), legend.grab().toImage(),
                                          QPoint(PropertyLegend::Left, PropertyLegend::Top), true);
    }
    std::string why;
    if (!savePicture(picture, outFile, &why)) {
        std::cerr << "morvane: cannot write " << outFile << ": " << why << '\n';
        return 1;
    }
    return 0;
}

}  // namespace morvane
