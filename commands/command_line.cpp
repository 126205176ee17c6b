#include "commands/command_line.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "commands/data_manager_rules.h"
#include "commands/property_filter.h"
#include "core/decimal_text.h"
#include "io/file_text.h"
#include "io/well_reader.h"

namespace morvane {

namespace {

// A whole number from `lowest` to `highest`, the whole text.
bool parseWhole(std::string_view text, int& value, int lowest, int highest)
{
    int v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size() || v < lowest || v > highest) return false;
    value = v;
    return true;
}

bool parseSize(const std::string& text, int& width, int& height)
{
    const auto x = text.find_first_of("xX");
    if (x == std::string::npos) return false;
    int w = 0, h = 0;
    if (!parseWhole(std::string_view(text).substr(0, x), w, 1, 16384) ||
        !parseWhole(std::string_view(text).substr(x + 1), h, 1, 16384))
        return false;
    width = w;
    height = h;
    return true;
}

// Names separated by commas, none of them empty.
bool parseNames(const std::string& text, std::vector<std::string>& names)
{
    std::vector<std::string> parts;
    std::size_t from = 0;
    while (true) {
        const std::size_t comma = text.find(',', from);
        parts.push_back(text.substr(from, comma == std::string::npos ? std::string::npos : comma - from));
        if (parts.back().empty()) return false;
        if (comma == std::string::npos) break;
        from = comma + 1;
    }
    names = std::move(parts);
    return true;
}

// PROPERTY:CODE=DEPTH,CODE=DEPTH,... with whole codes, each once, and contact depths below datum (readContactDepth;
// "." as the decimal separator, the comma parting the codes).
bool parseRegionalDepths(const std::string& text, CommandLine::RegionalDepths& out)
{
    const std::size_t colon = text.rfind(':');
    std::vector<std::string> items;
    if (colon == std::string::npos || colon == 0 || !parseNames(text.substr(colon + 1), items)) return false;
    CommandLine::RegionalDepths read{text.substr(0, colon), {}};
    for (const std::string& item : items) {
        const std::size_t equals = item.find('=');
        int code = 0;
        if (equals == std::string::npos ||
            !parseWhole(std::string_view(item).substr(0, equals), code, std::numeric_limits<int>::min(),
                        std::numeric_limits<int>::max()))
            return false;
        const std::optional<double> depth = readContactDepth(item.substr(equals + 1));
        if (!depth) return false;
        for (const auto& [seen, depthSeen] : read.depths)
            if (seen == code) return false;
        read.depths.emplace_back(code, *depth);
    }
    out = std::move(read);
    return true;
}

// Options that do not go together, or that need another: the reason, or nothing when the options fit.
std::optional<std::string> combinationProblem(const CommandLine& cl)
{
    if (cl.demo && !cl.gridFile.empty()) return "--demo opens the demo model: give no grid or data files with it";
    if (!cl.propertyName.empty() && cl.dataFiles.empty() && !cl.demo)
        return "--property names a property of a property file, and none was given after the grid file";
    if (!cl.sectionWells.empty() && cl.snapshotFile.empty())
        return "--section draws the well section into a snapshot: give --snapshot OUT.png too";
    if ((cl.filterCut || cl.filterRange || !cl.filterCodes.empty()) && cl.snapshotFile.empty())
        return "--filter draws the property filter view into a snapshot: give --snapshot OUT.png too";
    if ((cl.owcRegions && cl.owcDepth) || (cl.gocRegions && cl.gocDepth))
        return "give a contact either one depth (--owc, --goc) or depths by region (--owc-regions, "
               "--goc-regions)";
    if ((cl.owcRegions || cl.gocRegions) && cl.snapshotFile.empty())
        return "--owc-regions and --goc-regions draw into a snapshot: give --snapshot OUT.png too";
    if (cl.pickPixel && (cl.pickPixel->first >= cl.width || cl.pickPixel->second >= cl.height))
        return "--pick needs a pixel inside the snapshot of " + std::to_string(cl.width) + " x " +
               std::to_string(cl.height);
    if (cl.pickPixel && cl.view == SnapshotView::WellSection)
        return "--pick picks a cell of the grid, and the unfolded well section shows none: drop --section";
    if (cl.eightLayers && cl.view != SnapshotView::Layer)
        return "--eight-layers shows the layer view with eight layers: give --layer K too";
    if ((cl.view != SnapshotView::Shell || cl.turnDegrees != 0 || cl.exaggeration || cl.pickPixel) &&
        cl.snapshotFile.empty())
        return "--layer, --flat, --top, --turn, --exaggeration and --pick draw into a snapshot: give --snapshot "
               "OUT.png too";
    return std::nullopt;
}

}  // namespace

std::optional<CommandLine> parseCommandLine(const std::vector<std::string>& args, std::string* error)
{
    CommandLine cl;
    auto fail = [error](std::string why) -> std::optional<CommandLine> {
        if (error) *error = std::move(why);
        return std::nullopt;
    };
    // The mode buttons are one group: a snapshot shows one of their views.
    const std::string oneView =
        "give one view of --section, --filter, --filter-above, --filter-range, --filter-codes, --layer, --flat and "
        "--top";
    auto chooseView = [&cl](SnapshotView view) {
        if (cl.view != SnapshotView::Shell) return false;
        cl.view = view;
        return true;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            cl.help = true;
        } else if (a == "--version") {
            cl.version = true;
        } else if (a == "--demo") {
            cl.demo = true;
        } else if (a == "--snapshot") {
            if (i + 1 >= args.size()) return fail("--snapshot needs the picture file to write");
            cl.snapshotFile = args[++i];
        } else if (a == "--property") {
            if (i + 1 >= args.size()) return fail("--property needs the name of the property to show");
            cl.propertyName = args[++i];
        } else if (a == "--section") {
            if (i + 1 >= args.size()) return fail("--section needs the wells' names, for example W-1,W-2,W-3");
            if (!parseNames(args[++i], cl.sectionWells))
                return fail("--section needs the wells' names separated by commas, not \"" + args[i] + "\"");
            if (!chooseView(SnapshotView::WellSection)) return fail(oneView);
        } else if (a == "--size") {
            if (i + 1 >= args.size()) return fail("--size needs WIDTHxHEIGHT, for example 1024x768");
            if (!parseSize(args[++i], cl.width, cl.height))
                return fail("--size needs WIDTHxHEIGHT with whole numbers from 1 to 16384, not \"" + args[i] + "\"");
        } else if (a == "--owc" || a == "--goc") {
            const std::string name = a.substr(2);
            if (i + 1 >= args.size()) return fail(a + " needs the contact depth in metres, for example 1520.5");
            // Either decimal separator; metres below datum, positive down, as in the data manager.
            const std::optional<double> depth = readContactDepth(args[++i]);
            if (!depth)
                return fail(a + " needs the contact depth in metres below datum (positive down, above 0 and up to " +
                            "20000), not \"" + args[i] + "\"");
            (name == "owc" ? cl.owcDepth : cl.gocDepth) = *depth;
        } else if (a == "--owc-regions" || a == "--goc-regions") {
            if (i + 1 >= args.size())
                return fail(a +
                            " needs the region property and a depth for each code, for example "
                            "REGIONS:1=2050,2=2065.5");
            auto& regional = a == "--owc-regions" ? cl.owcRegions : cl.gocRegions;
            if (!parseRegionalDepths(args[++i], regional.emplace()))
                return fail(a +
                            " needs PROPERTY:CODE=DEPTH,... with whole codes, each once, and depths in metres "
                            "below datum (positive down, above 0), not \"" +
                            args[i] + "\"");
        } else if (a == "--filter" || a == "--filter-above") {
            if (cl.filterCut) return fail("give one of --filter and --filter-above, once");
            if (i + 1 >= args.size()) return fail(a + " needs the cut value, for example 0.15");
            // A cut of 0 is a cut: it removes the negative cells (or the positive ones).
            const std::optional<float> cut = readLimitText(args[++i]);
            if (!cut) return fail(a + " needs the cut value as a number, not \"" + args[i] + "\"");
            cl.filterCut = *cut;
            cl.filterAbove = a == "--filter-above";
            if (!chooseView(SnapshotView::Filter)) return fail(oneView);
        } else if (a == "--filter-range") {
            if (i + 1 >= args.size()) return fail("--filter-range needs the values LO,HI, for example 0.1,0.25");
            const std::string& range = args[++i];
            const auto comma = range.find(',');
            const std::optional<double> lo =
                comma == std::string::npos ? std::nullopt : parseDecimalText(range.substr(0, comma));
            const std::optional<double> hi =
                comma == std::string::npos ? std::nullopt : parseDecimalText(range.substr(comma + 1));
            if (!lo || !hi || !(*lo <= *hi))
                return fail(
                    "--filter-range needs two numbers LO,HI with LO not above HI (\".\" as the decimal "
                    "separator), not \"" +
                    range + "\"");
            cl.filterRange = std::pair{*lo, *hi};
            if (!chooseView(SnapshotView::Filter)) return fail(oneView);
        } else if (a == "--filter-codes") {
            if (i + 1 >= args.size()) return fail("--filter-codes needs the codes to keep, for example 1,3");
            std::vector<std::string> items;
            std::vector<int> codes;
            bool ok = parseNames(args[++i], items);
            for (const std::string& item : items) {
                int code = 0;
                ok = ok && parseWhole(item, code, std::numeric_limits<int>::min() + 1, std::numeric_limits<int>::max());
                codes.push_back(code);
            }
            if (!ok) return fail("--filter-codes needs whole codes separated by commas, not \"" + args[i] + "\"");
            cl.filterCodes = std::move(codes);
            if (!chooseView(SnapshotView::Filter)) return fail(oneView);
        } else if (a == "--log-scale" || a == "--linear-scale") {
            if (i + 1 >= args.size()) return fail(a + " needs the name of a loaded property");
            (a == "--log-scale" ? cl.logScale : cl.linearScale).push_back(args[++i]);
        } else if (a == "--layer") {
            if (i + 1 >= args.size()) return fail("--layer needs the layer to show, from 1 at the top");
            if (!parseWhole(args[++i], cl.layer, 1, std::numeric_limits<int>::max()))
                return fail("--layer needs the layer to show as a whole number from 1, not \"" + args[i] + "\"");
            if (!chooseView(SnapshotView::Layer)) return fail(oneView);
        } else if (a == "--eight-layers") {
            cl.eightLayers = true;
        } else if (a == "--flat") {
            if (!chooseView(SnapshotView::FlatSection)) return fail(oneView);
        } else if (a == "--top") {
            if (!chooseView(SnapshotView::TopView)) return fail(oneView);
        } else if (a == "--turn") {
            if (i + 1 >= args.size()) return fail("--turn needs the angle in degrees, for example 45");
            const std::optional<double> degrees = parseDecimalText(args[++i]);
            if (!degrees || !(std::abs(*degrees) <= 360))
                return fail("--turn needs the angle in degrees from -360 to 360, not \"" + args[i] + "\"");
            cl.turnDegrees = static_cast<float>(*degrees);
        } else if (a == "--exaggeration") {
            if (i + 1 >= args.size()) return fail("--exaggeration needs the vertical exaggeration, for example 5");
            const std::optional<double> e = parseDecimalText(args[++i]);
            if (!e || !(*e > 0 && *e <= 100))
                return fail("--exaggeration needs a number above 0 and at most 100, not \"" + args[i] + "\"");
            cl.exaggeration = static_cast<float>(*e);
        } else if (a == "--pick") {
            if (i + 1 >= args.size()) return fail("--pick needs the pixel X,Y of the snapshot, for example 512,384");
            const std::string& pixel = args[++i];
            const auto comma = pixel.find(',');
            int x = 0, y = 0;
            if (comma == std::string::npos || !parseWhole(std::string_view(pixel).substr(0, comma), x, 0, 16383) ||
                !parseWhole(std::string_view(pixel).substr(comma + 1), y, 0, 16383))
                return fail("--pick needs the pixel as X,Y with whole numbers from 0, not \"" + pixel + "\"");
            cl.pickPixel = std::pair{x, y};
        } else if (a == "--production") {
            if (i + 1 >= args.size()) return fail("--production needs the production file, for example production.csv");
            cl.productionFile = args[++i];
        } else if (a.size() > 1 && a[0] == '-') {
            // Qt's own options (-platform, -style, ...) are taken out before we see the arguments.
            return fail("unknown option \"" + a + "\"");
        } else if (cl.gridFile.empty()) {
            cl.gridFile = a;
        } else {
            cl.dataFiles.push_back(a);
        }
    }
    if (std::optional<std::string> why = combinationProblem(cl)) return fail(std::move(*why));
    return cl;
}

DataFileKinds sortDataFiles(const std::vector<std::string>& files)
{
    DataFileKinds kinds;
    for (const std::string& file : files) {
        // The first lines tell a deviation file from a grid or property file.
        std::string head;
        if (!readFileStart(file, 64 * 1024, head)) {
            kinds.unreadable.push_back(file);
            continue;
        }
        (looksLikeWellText(head) ? kinds.wells : kinds.others).push_back(file);
    }
    return kinds;
}

void openDemoModel(CommandLine& cl, const std::filesystem::path& demoFolder)
{
    cl.gridFile = (demoFolder / "DEMO.GRDECL").string();
    cl.dataFiles.clear();
    for (const char* file : {"DEMO_props.GRDECL", "well-1.dev", "P-2.dev", "W-3.dev", "well-4.dev"})
        cl.dataFiles.push_back((demoFolder / file).string());
    if (cl.propertyName.empty()) cl.propertyName = "PORO";
}

std::string versionLine(const std::string& program) { return program + " " + MORVANE_VERSION + "\n"; }

std::string commandLineUsage()
{
    return "Usage: morvane [OPTION]... [GRID_FILE [DATA_FILE]...]\n"
           "  or:  morvane --demo [OPTION]...\n"
           "  or:  morvane GRID_FILE [DATA_FILE]... --snapshot OUT.png [VIEW] [OPTION]...\n"
           "\n"
           "Opens the viewer of corner-point reservoir models; a GRDECL grid file given here is imported at\n"
           "start, then the data files after it, told apart by their content: deviation files, each with its\n"
           "columns named MD, X, Y and Z, and GRDECL property files, every property discrete or continuous by its\n"
           "values; values written for cells without one (-999, -999.25, -999.99, -9999, -99999, 1e20, -1e20, 1e30,\n"
           "-1e30, or one the file's header declares) are read as no value. The first property loaded is shown\n"
           "with its legend. With --snapshot no window opens: the model\n"
           "is drawn offscreen into a picture, showing the shell or one VIEW of --section, --filter, --filter-above,\n"
           "--layer, --flat and --top.\n"
           "\n"
           "Options:\n"
           "  --demo              open the demo model installed with the program: its grid, porosity and facies, and\n"
           "                      four wells, porosity shown\n"
           "  --property NAME     show the property NAME instead of the first one loaded (with --demo: PORO)\n"
           "  --owc DEPTH         show an oil-water contact at DEPTH metres below datum (positive down; \".\" or "
           "\",\"\n"
           "                      as the decimal separator) once the grid is loaded\n"
           "  --goc DEPTH         the same for a gas-oil contact\n"
           "  --owc-regions PROPERTY:CODE=DEPTH,...\n"
           "                      the snapshot shows an oil-water contact by region: each column of cells at the\n"
           "                      depth given for its code in the loaded property of codes PROPERTY (top layer),\n"
           "                      metres below datum with \".\" as the decimal separator; codes not given get none\n"
           "  --goc-regions PROPERTY:CODE=DEPTH,...\n"
           "                      the same for a gas-oil contact\n"
           "  --production FILE   cumulative production of the loaded wells, shown as circle diagrams: one line per\n"
           "                      well with its name, oil and water (thousand m3) and gas (million m3), separated by\n"
           "                      tabs, semicolons or commas; \".\" or \",\" as the decimal separator\n"
           "  --snapshot OUT.png  draw the model (and the legend of the shown property) offscreen into OUT.png and\n"
           "                      exit without opening a window\n"
           "  --section WELL,...  the snapshot shows the well section through these wells, unfolded in 2D (needs a\n"
           "                      property loaded besides the grid)\n"
           "  --filter CUT        the snapshot shows the property filter view: the cells of the shown continuous\n"
           "                      property below CUT are removed\n"
           "  --filter-above CUT  the same, removing the cells above CUT (a CUT of 0 is a cut like any other)\n"
           "  --filter-range LO,HI\n"
           "                      the snapshot shows the property filter view keeping the cells of the shown\n"
           "                      continuous property from LO to HI (\".\" as the decimal separator)\n"
           "  --filter-codes C,...\n"
           "                      the property filter view keeping the cells of the shown property of codes that\n"
           "                      hold one of the codes C; the filters say how many cells they keep\n"
           "  --log-scale NAME    colour the loaded continuous property NAME on a logarithmic ramp (permeability\n"
           "                      starts on one: kind permeability, names PERM..., KX, KY, KZ); values of 0 and\n"
           "                      below take the ramp's low colour\n"
           "  --linear-scale NAME colour the loaded continuous property NAME on a linear ramp\n"
           "  --layer K           the snapshot shows the layer view at layer K (from 1 at the top), that layer alone\n"
           "  --eight-layers      with --layer, the eight layers from K down, half transparent\n"
           "  --flat              the snapshot shows the flat section: the model cut by the fixed inclined plane\n"
           "                      through the middle of the view\n"
           "  --top               the snapshot shows the 2D top view\n"
           "  --turn DEGREES      the model turned about the vertical axis by DEGREES, as a right drag turns it\n"
           "  --exaggeration E    vertical exaggeration E (the program starts with 5)\n"
           "  --pick X,Y          pick the cell at pixel X,Y of the snapshot (from its top left) as a Ctrl+click\n"
           "                      does: it is outlined, and what the status bar says is printed\n"
           "  --size WxH          size of the snapshot in pixels (default 1024x768)\n"
           "  -h, --help          print this help and exit\n"
           "  --version           print the program's version and exit\n"
           "\n"
           "Exit status:\n"
           "  0 when the window is closed or the snapshot is written, 1 when a file given cannot be loaded or no\n"
           "  window can be opened, 2 for wrong usage or when nothing can be drawn offscreen.\n";
}

}  // namespace morvane
