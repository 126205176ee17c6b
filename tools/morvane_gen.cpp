// morvane-gen: writes synthetic corner-point models (grid, properties, wells) in the layouts of real exports.
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "tools/generator/damaged_corpus.h"
#include "tools/generator/model_generator.h"

namespace {

namespace fs = std::filesystem;
using namespace morvane::gen;

constexpr const char* kUsage = R"(Usage: morvane-gen COMMAND --out PATH [OPTIONS]
  or:  morvane-gen --help | --version

Writes a deterministic synthetic corner-point model in the layouts that modelling packages export.
The same options always give the same bytes. Written paths are printed one per line.

Commands:
  grid    --out DIR   NAME.GRDECL (with --include also NAME_COORD, NAME_ZCORN and NAME_ACTNUM .GRDECL)
  props   --out FILE  a property file for the grid size: PORO (continuous) and FACIES (discrete)
  wells   --out DIR   W-1.dev, W-2.dev, ... inside the grid footprint, vertical and deviated in turn
  model   --out DIR   all three: the grid, NAME_props.GRDECL and the wells
  damaged --out DIR   a corpus of damaged files made from a small real-shaped model (grid in both layouts,
                      properties, wells, production): cut, flipped, lines deleted or doubled, keywords swapped,
                      numbers glued, absurd counts and values, garbage, special files; one folder per variant
                      and DIR/manifest.tsv listing them (the grid options are not used)

Grid options (they also size the property file and place the wells):
  --name NAME         file name stem (default MODEL)
  --nx N --ny N --nz N  cells along x (fastest), y and layers (default 10 10 5)
  --cell M            cell size in metres, a multiple of 25 up to 500 for the viewer (default 50)
  --origin-x X        x of the first pillar; may be negative (default 0)
  --origin-y Y        y of the first pillar (default 0)
  --top M             depth of the top surface at the rim (default 2000)
  --thickness M       layer thickness (default 5)
  --dome M            height of a smooth dome at the centre (default 0)
  --tilt M            depth added per km eastwards (default 0)
  --fault M           the east half is M deeper: a vertical fault through the middle (default 0)
  --decimals N        decimals of COORD and ZCORN numbers (default 2)
  --include           include layout instead of everything in one file
  --repeats           write equal consecutive depths as n*v
  --crlf              CRLF line ends (default LF)
  --rotate DEG        the grid turned by DEG degrees about its first pillar (default 0)
  --irregular F       cell widths vary smoothly by up to F of the cell size, 0 to 0.6 (default 0)
  --incline F         pillars lean outwards: the bottom point moves F of its offset from the centre (default 0)
  --inactive F        share F of the cells inactive in ACTNUM (default 0: all active)
  --local             COORD in local coordinates; MAPAXES places them at the origin
  --feet              GRIDUNIT FEET (lengths in feet)
  --inline-props      PORO and FACIES as keyword blocks after ACTNUM in the grid file

Property options:
  --no-repeats        write every value (default: equal neighbours as n*v)
  --keywords          plain keyword blocks, without the "Property name in Petrel" lines
  --properties N      N properties as a field export holds them (porosity, permeability with some negative
                      values, NTG, saturations, facies with long n*v runs, lithology with stray 3*1.5 values,
                      regions, ...) instead of PORO and FACIES
  --cyrillic          Russian property names (with --cp1251 written in Windows-1251)
  --wrong-size        one more property, sized for a grid with one more layer
  --no-value F        share F (0 to 1) of the cells of each continuous property hold -999.25, the value exports
                      write for cells without one (default 0)

Well options:
  --count N           number of wells (default 4)
  --well-names A,B    names of the wells in order, UTF-8 (default W-1, W-2, ...); a file is named after its
                      well when the name is plain ASCII, else well-N.dev
  --azim-gn           an eleventh column AZIM_GN after DLS, as real exports have
  --rule-indent N     spaces before the "#=====" rules around the header
  --cp1251            well and property names written in the Windows-1251 code page (older Russian exports);
                      property names are then Russian
  --foreign           another tool's layout (WELLNAME line, X Y TVD MD, closing -999), which the viewer refuses

Other options:
  -h, --help          print this help and exit
  --version           print the program's version and exit

Examples:
  morvane-gen grid --out /tmp/m --nx 200 --ny 100 --nz 50 --dome 60 --fault 15
  morvane-gen model --out /tmp/m --name FIELD --origin-x -7975.73 --include --crlf
)";

struct Args {
    std::string command;
    fs::path out;
    GridOptions grid;
    bool propRepeats = true;
    bool propMarkers = true;
    int propertyCount = 0;  // 0: PORO and FACIES
    bool cyrillic = false, wrongSize = false;
    double noValueShare = 0;
    int wellCount = 4;
    std::vector<std::string> wellNames;
    bool azimGn = false, cp1251 = false, foreign = false;
    int ruleIndent = 0;
};

bool parseNumber(std::string_view text, double& value)
{
    auto r = std::from_chars(text.data(), text.data() + text.size(), value);
    return r.ec == std::errc() && r.ptr == text.data() + text.size();
}

bool parseInt(std::string_view text, int& value)
{
    auto r = std::from_chars(text.data(), text.data() + text.size(), value);
    return r.ec == std::errc() && r.ptr == text.data() + text.size();
}

// Returns an error text, empty when the arguments are good.
std::string parseArgs(int argc, char** argv, Args& a)
{
    if (argc < 2) return "no command given";
    a.command = argv[1];
    if (a.command != "grid" && a.command != "props" && a.command != "wells" && a.command != "model" &&
        a.command != "damaged")
        return "unknown command '" + a.command + "'";
    for (int n = 2; n < argc; ++n) {
        const std::string_view opt = argv[n];
        if (opt == "--include") {
            a.grid.layout = GridLayout::Include;
            continue;
        }
        if (opt == "--repeats") {
            a.grid.repeats = true;
            continue;
        }
        if (opt == "--crlf") {
            a.grid.lineEnd = LineEnd::CRLF;
            continue;
        }
        if (opt == "--no-repeats") {
            a.propRepeats = false;
            continue;
        }
        if (opt == "--cyrillic") {
            a.cyrillic = true;
            continue;
        }
        if (opt == "--wrong-size") {
            a.wrongSize = true;
            continue;
        }
        if (opt == "--azim-gn" || opt == "--cp1251" || opt == "--foreign") {
            (opt == "--azim-gn" ? a.azimGn : opt == "--cp1251" ? a.cp1251 : a.foreign) = true;
            continue;
        }
        if (opt == "--keywords") {
            a.propMarkers = false;
            continue;
        }
        if (opt == "--local" || opt == "--feet" || opt == "--inline-props") {
            if (opt == "--local") a.grid.localCoordinates = true;
            if (opt == "--feet") a.grid.feet = true;
            if (opt == "--inline-props") a.grid.inlineProperties = defaultProperties();
            continue;
        }
        if (n + 1 >= argc) return "option " + std::string(opt) + " needs a value";
        const std::string_view val = argv[++n];
        bool ok = true;
        if (opt == "--out")
            a.out = std::string(val);
        else if (opt == "--name")
            a.grid.name = std::string(val), ok = !val.empty();
        else if (opt == "--nx")
            ok = parseInt(val, a.grid.nx) && a.grid.nx > 0;
        else if (opt == "--ny")
            ok = parseInt(val, a.grid.ny) && a.grid.ny > 0;
        else if (opt == "--nz")
            ok = parseInt(val, a.grid.nz) && a.grid.nz > 0;
        else if (opt == "--cell")
            ok = parseNumber(val, a.grid.cellSize) && a.grid.cellSize > 0;
        else if (opt == "--origin-x")
            ok = parseNumber(val, a.grid.originX);
        else if (opt == "--origin-y")
            ok = parseNumber(val, a.grid.originY);
        else if (opt == "--top")
            ok = parseNumber(val, a.grid.topDepth);
        else if (opt == "--thickness")
            ok = parseNumber(val, a.grid.layerThickness);
        else if (opt == "--dome")
            ok = parseNumber(val, a.grid.domeHeight);
        else if (opt == "--tilt")
            ok = parseNumber(val, a.grid.tiltPerKm);
        else if (opt == "--fault")
            ok = parseNumber(val, a.grid.faultThrow);
        else if (opt == "--decimals")
            ok = parseInt(val, a.grid.decimals) && a.grid.decimals >= 0 && a.grid.decimals <= 6;
        else if (opt == "--rotate")
            ok = parseNumber(val, a.grid.rotation);
        else if (opt == "--irregular")
            ok = parseNumber(val, a.grid.irregular) && a.grid.irregular >= 0 && a.grid.irregular <= 0.6;
        else if (opt == "--incline")
            ok = parseNumber(val, a.grid.inclination);
        else if (opt == "--inactive")
            ok = parseNumber(val, a.grid.inactive) && a.grid.inactive >= 0 && a.grid.inactive < 1;
        else if (opt == "--count")
            ok = parseInt(val, a.wellCount) && a.wellCount >= 0;
        else if (opt == "--no-value")
            ok = parseNumber(val, a.noValueShare) && a.noValueShare >= 0 && a.noValueShare <= 1;
        else if (opt == "--properties")
            ok = parseInt(val, a.propertyCount) && a.propertyCount > 0;
        else if (opt == "--rule-indent")
            ok = parseInt(val, a.ruleIndent) && a.ruleIndent >= 0 && a.ruleIndent <= 40;
        else if (opt == "--well-names") {
            a.wellNames.clear();
            std::string_view rest = val;
            while (ok && !rest.empty()) {
                const std::size_t comma = rest.find(',');
                a.wellNames.emplace_back(rest.substr(0, comma));
                ok = !a.wellNames.back().empty();
                rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
            }
            ok = ok && !a.wellNames.empty();
            if (ok) a.wellCount = static_cast<int>(a.wellNames.size());
        } else
            return "unknown option " + std::string(opt);
        if (!ok) return "bad value '" + std::string(val) + "' for " + std::string(opt);
    }
    if (a.out.empty()) return "--out is required";
    return {};
}

PropertyFileOptions propertyOptions(const Args& a)
{
    PropertyFileOptions p;
    p.nx = a.grid.nx;
    p.ny = a.grid.ny;
    p.nz = a.grid.nz;
    const bool russian = a.cyrillic || a.cp1251;
    p.properties =
        a.propertyCount > 0 || russian ? fieldProperties(std::max(a.propertyCount, 2), russian) : defaultProperties();
    if (a.wrongSize) {
        PropertyDefinition extra = p.properties.front();
        extra.name += russian ? "_другой_грид" : "_OTHER_GRID";
        extra.valueCount = static_cast<long long>(p.nx) * p.ny * (p.nz + 1);
        p.properties.push_back(extra);
    }
    for (PropertyDefinition& d : p.properties) d.noValueShare = a.noValueShare;
    p.lineEnd = a.grid.lineEnd;
    p.repeats = a.propRepeats;
    p.markers = a.propMarkers;
    p.nameEncoding = a.cp1251 ? TextEncoding::Windows1251 : TextEncoding::Utf8;
    return p;
}

std::vector<fs::path> writeWells(const Args& a, const fs::path& folder)
{
    std::vector<fs::path> paths;
    int n = 0;
    for (WellOptions w : wellsForGrid(a.grid, a.wellCount)) {
        ++n;
        if (static_cast<std::size_t>(n) <= a.wellNames.size()) w.name = a.wellNames[static_cast<std::size_t>(n - 1)];
        w.gridNorthColumn = a.azimGn;
        w.ruleIndent = a.ruleIndent;
        w.encoding = a.cp1251 ? TextEncoding::Windows1251 : TextEncoding::Utf8;
        w.layout = a.foreign ? WellLayout::Foreign : WellLayout::Export;
        const bool ascii = std::all_of(w.name.begin(), w.name.end(), [](char c) {
            return static_cast<unsigned char>(c) < 0x80 && c != '/' && c != '\\';
        });
        const std::string stem = ascii ? w.name : "well-" + std::to_string(n);
        paths.push_back(writeWellFile(w, folder / (stem + ".dev")));
    }
    return paths;
}

std::vector<fs::path> run(const Args& a)
{
    if (a.command == "grid") return writeGrid(a.grid, a.out);
    if (a.command == "props") return {writePropertyFile(propertyOptions(a), a.out)};
    if (a.command == "wells") return writeWells(a, a.out);
    if (a.command == "damaged") {
        std::vector<fs::path> paths;
        for (const DamagedVariant& v : writeDamagedCorpus(a.out)) paths.push_back(v.target);
        return paths;
    }
    std::vector<fs::path> paths = writeGrid(a.grid, a.out);
    paths.push_back(writePropertyFile(propertyOptions(a), a.out / (a.grid.name + "_props.GRDECL")));
    for (const fs::path& p : writeWells(a, a.out)) paths.push_back(p);
    return paths;
}

}  // namespace

int main(int argc, char** argv)
{
    for (int n = 1; n < argc; ++n)
        if (std::strcmp(argv[n], "--help") == 0 || std::strcmp(argv[n], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (std::strcmp(argv[n], "--version") == 0) {
            std::fputs("morvane-gen " MORVANE_VERSION "\n", stdout);
            return 0;
        }
    Args args;
    if (std::string error = parseArgs(argc, argv, args); !error.empty()) {
        std::fprintf(stderr, "morvane-gen: %s (morvane-gen --help shows the usage)\n", error.c_str());
        return 2;
    }
    try {
        for (const fs::path& p : run(args)) std::printf("%s\n", p.string().c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "morvane-gen: %s\n", e.what());
        return 1;
    }
    return 0;
}
