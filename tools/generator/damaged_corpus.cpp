#include "tools/generator/damaged_corpus.h"

#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <stdexcept>
#include <system_error>

#include <sys/stat.h>
#include <unistd.h>

#include "tools/generator/model_generator.h"

namespace morvane::gen {
namespace {

namespace fs = std::filesystem;

// The undamaged model: a small grid shaped as real exports are (turned, irregular, inclined, with inactive cells and
// MAPAXES), in both layouts, with its properties, two wells and their production.
constexpr int kNx = 6, kNy = 5, kNz = 4;
constexpr std::uint64_t kCells = std::uint64_t(kNx) * kNy * kNz;
constexpr std::uint64_t kPillars = std::uint64_t(kNx + 1) * (kNy + 1);

GridOptions baseGrid(const std::string& name, GridLayout layout)
{
    GridOptions g = realExportGrid(name, kNx, kNy, kNz);
    g.layout = layout;
    return g;
}

std::string readText(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeText(const fs::path& file, const std::string& text)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out) throw std::runtime_error("cannot write " + file.string());
}

// The files of one kind's undamaged set, written into `dir`; the first is the file the reader is given.
std::vector<fs::path> writeBase(const std::string& kind, const fs::path& dir)
{
    fs::create_directories(dir);
    if (kind == "include") return writeGrid(baseGrid("INC", GridLayout::Include), dir);
    std::vector<fs::path> files = writeGrid(baseGrid("CORPUS", GridLayout::Direct), dir);
    if (kind == "grid") return files;
    const GridOptions g = baseGrid("CORPUS", GridLayout::Direct);
    std::vector<fs::path> wells;
    for (const WellOptions& w : wellsForGrid(g, 2)) wells.push_back(writeWellFile(w, dir / (w.name + ".dev")));
    if (kind == "property") {
        PropertyFileOptions p;
        p.nx = kNx;
        p.ny = kNy;
        p.nz = kNz;
        p.properties = defaultProperties();
        return {writePropertyFile(p, dir / "CORPUS_PROPS.GRDECL"), files.front()};
    }
    if (kind == "well") return {wells.front(), files.front()};
    writeText(dir / "production.csv", "Well;Oil;Water;Gas\nW-1;120.5;30.25;4.5\nW-2;80;12.5;2.75\n");
    return {dir / "production.csv", files.front(), wells[0], wells[1]};
}

// A simple fixed-seed generator, so the corpus is the same on every run.
struct Noise {
    std::uint64_t state;
    unsigned next()
    {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<unsigned>(state >> 33);
    }
};

std::vector<std::size_t> lineStarts(const std::string& text)
{
    std::vector<std::size_t> starts{0};
    for (std::size_t n = 0; n + 1 < text.size(); ++n)
        if (text[n] == '\n') starts.push_back(n + 1);
    return starts;
}

std::string withoutLine(const std::string& text, std::size_t line)
{
    const std::vector<std::size_t> starts = lineStarts(text);
    if (line >= starts.size()) return text;
    const std::size_t end = line + 1 < starts.size() ? starts[line + 1] : text.size();
    return text.substr(0, starts[line]) + text.substr(end);
}

std::string withLineTwice(const std::string& text, std::size_t line)
{
    const std::vector<std::size_t> starts = lineStarts(text);
    if (line >= starts.size()) return text;
    const std::size_t end = line + 1 < starts.size() ? starts[line + 1] : text.size();
    std::string copy = text.substr(starts[line], end - starts[line]);
    if (copy.empty() || copy.back() != '\n') copy += '\n';
    return text.substr(0, end) + copy + text.substr(end);
}

std::string replacedFirst(std::string text, const std::string& what, const std::string& with)
{
    const std::size_t at = text.find(what);
    if (at != std::string::npos) text.replace(at, what.size(), with);
    return text;
}

// The `k`-th blank between two digits removed: two numbers glued into one word.
std::string gluedNumbers(std::string text, int k)
{
    int seen = 0;
    for (std::size_t n = text.size() / 3; n + 1 < text.size(); ++n) {
        if (text[n] == ' ' && n > 0 && std::isdigit(static_cast<unsigned char>(text[n - 1])) &&
            (std::isdigit(static_cast<unsigned char>(text[n + 1])) || text[n + 1] == '-') && seen++ == k) {
            text.erase(n, 1);
            break;
        }
    }
    return text;
}

// The first number after `keyword` replaced by `with`.
std::string firstValueAfter(std::string text, const std::string& keyword, const std::string& with)
{
    std::size_t at = text.find(keyword);
    if (at == std::string::npos) return text;
    at = text.find('\n', at);
    while (at < text.size() && !(std::isdigit(static_cast<unsigned char>(text[at])) || text[at] == '-')) ++at;
    std::size_t end = at;
    while (end < text.size() && !std::isspace(static_cast<unsigned char>(text[end])) && text[end] != '/') ++end;
    if (at < text.size()) text.replace(at, end - at, with);
    return text;
}

struct Writer {
    fs::path root;
    std::vector<DamagedVariant> variants;

    // A variant of `kind` whose file number `which` of the base set becomes `text`; `cells` and `pillars` as the
    // variant declares them.
    void text(const std::string& kind, const std::string& id, const std::string& damage, std::size_t which,
              const std::function<std::string(const std::string&)>& change, std::uint64_t cells = kCells,
              std::uint64_t pillars = kPillars)
    {
        const fs::path dir = root / (kind + "-" + id);
        const std::vector<fs::path> files = writeBase(kind, dir);
        const fs::path damaged = files.at(which);
        writeText(damaged, change(readText(damaged)));
        variants.push_back({kind, kind + "-" + id, damage, files.front(), damaged, cells, pillars});
    }

    // A variant whose file number `which` is replaced by what `make` puts at its path (a folder, a pipe, a link).
    void special(const std::string& kind, const std::string& id, std::size_t which,
                 const std::function<bool(const fs::path&)>& make)
    {
        const fs::path dir = root / (kind + "-" + id);
        const std::vector<fs::path> files = writeBase(kind, dir);
        const fs::path damaged = files.at(which);
        fs::remove(damaged);
        if (!make(damaged)) {
            fs::remove_all(dir);
            return;
        }
        variants.push_back({kind, kind + "-" + id, "special", files.front(), damaged, kCells, kPillars});
    }

    // Cuts, flips, deleted and doubled lines, garbage and an empty file, for file `which` of a kind.
    void generic(const std::string& kind, std::size_t which, const std::string& tag, int cuts, int flips, int lines,
                 std::uint64_t seed)
    {
        const std::string prefix = tag.empty() ? std::string() : tag + "-";
        for (int k = 1; k <= cuts; ++k)
            text(kind, prefix + "cut" + std::to_string(k), "cut", which,
                 [&](const std::string& t) { return t.substr(0, t.size() * k / (cuts + 1)); });
        Noise noise{seed};
        for (int k = 0; k < flips; ++k) {
            const unsigned r = noise.next();
            text(kind, prefix + "flip" + std::to_string(k + 1), "flip", which, [&](std::string t) {
                if (t.empty()) return t;
                // Spread over the file; the byte turned into another character class (digit to letter, blank to
                // a back quote, line end to a letter), as a damaged sector or a bad copy does.
                const std::size_t at = (t.size() * (2 * k + 1)) / (2 * flips) + r % 7;
                t[std::min(at, t.size() - 1)] ^= 0x40;
                return t;
            });
        }
        for (int k = 0; k < lines; ++k) {
            text(kind, prefix + "delete" + std::to_string(k + 1), "delete-line", which, [&](const std::string& t) {
                const std::size_t count = lineStarts(t).size();
                return withoutLine(t, count * (2 * k + 1) / (2 * lines));
            });
            text(kind, prefix + "double" + std::to_string(k + 1), "double-line", which, [&](const std::string& t) {
                const std::size_t count = lineStarts(t).size();
                return withLineTwice(t, count * (2 * k + 1) / (2 * lines));
            });
        }
        text(kind, prefix + "garbage", "garbage", which, [&](std::string t) {
            Noise bytes{seed + 7};
            const std::size_t from = t.size() / 2;
            for (std::size_t n = from; n < std::min(t.size(), from + 64); ++n) t[n] = static_cast<char>(bytes.next());
            return t;
        });
        text(kind, prefix + "binary", "garbage", which, [&](const std::string&) {
            Noise bytes{seed + 11};
            std::string t(4096, '\0');
            for (char& c : t) c = static_cast<char>(bytes.next());
            return t;
        });
        text(kind, prefix + "empty", "empty", which, [](const std::string&) { return std::string(); });
    }

    void specials(const std::string& kind, std::size_t which, const std::string& tag)
    {
        const std::string prefix = tag.empty() ? std::string() : tag + "-";
        special(kind, prefix + "folder", which, [](const fs::path& p) { return fs::create_directory(p); });
        special(kind, prefix + "fifo", which, [](const fs::path& p) { return ::mkfifo(p.c_str(), 0644) == 0; });
        special(kind, prefix + "linkloop", which, [](const fs::path& p) {
            std::error_code error;
            fs::create_symlink(p.filename(), p, error);
            return !error;
        });
        special(kind, prefix + "device", which, [](const fs::path& p) {
            std::error_code error;
            fs::create_symlink("/dev/zero", p, error);
            return !error;
        });
        // Root reads any file: an unreadable one cannot be made then.
        if (::geteuid() != 0)
            special(kind, prefix + "unreadable", which, [](const fs::path& p) {
                std::ofstream(p) << "COORD 1 2 3 /\n";
                fs::permissions(p, fs::perms::none);
                return true;
            });
    }
};

// The grid in one file: generic damage, special files, keywords, counts and values no grid has.
void damageGrids(Writer& w)
{
    w.generic("grid", 0, "", 16, 16, 6, 1);
    w.specials("grid", 0, "");
    w.text("grid", "swap-coord-zcorn", "keyword", 0, [](std::string t) {
        t = replacedFirst(t, "COORD", "@@@@@");
        t = replacedFirst(t, "ZCORN", "COORD");
        return replacedFirst(t, "@@@@@", "ZCORN");
    });
    w.text("grid", "renamed-actnum", "keyword", 0,
           [](const std::string& t) { return replacedFirst(t, "ACTNUM", "ACTNUN"); });
    w.text("grid", "renamed-specgrid", "keyword", 0,
           [](const std::string& t) { return replacedFirst(t, "SPECGRID", "SPECGRIF"); });
    w.text("grid", "word-in-zcorn", "keyword", 0,
           [](const std::string& t) { return firstValueAfter(t, "ZCORN", "ZCORN"); });
    for (int k = 0; k < 3; ++k)
        w.text("grid", "glued" + std::to_string(k + 1), "glued", 0,
               [k](const std::string& t) { return gluedNumbers(t, k * 40); });
    // Absurd counts: a tiny file asking for gigabytes, a layout far larger than its file, counts that do not fit.
    w.text(
        "grid", "repeat-huge", "count", 0,
        [](const std::string&) {
        return std::string("SPECGRID\n 2 2 1 1 F /\nCOORD\n 268435455*1 /\nZCORN\n 32*2000 /\n");
        },
        4, 9);
    w.text("grid", "repeat-beyond", "count", 0,
           [](const std::string& t) { return firstValueAfter(t, "ZCORN", "4000000000*2500"); });
    w.text(
        "grid", "specgrid-huge", "count", 0,
        [](const std::string& t) { return replacedFirst(t, "6 5 4 1 F", "100000 100000 100 1 F"); },
        std::uint64_t{1000000000000}, std::uint64_t{10000200001});
    w.text(
        "grid", "specgrid-10m", "count", 0,
        [](const std::string& t) { return replacedFirst(t, "6 5 4 1 F", "1000 1000 10 1 F"); }, 10000000, 1002001);
    w.text("grid", "padded", "count", 0, [](const std::string& t) {
        std::string padding;
        while (padding.size() < (std::size_t{3} << 20)) padding += "-- padding that no export writes\n";
        return t + padding;
    });
    w.text("include", "zcorn-padded", "count", 2, [](const std::string& t) {
        std::string padding;
        while (padding.size() < (std::size_t{3} << 20)) padding += "-- padding that no export writes\n";
        return t + padding;
    });
    w.text(
        "grid", "specgrid-more", "count", 0,
        [](const std::string& t) { return replacedFirst(t, "6 5 4 1 F", "6 5 5 1 F"); }, 150, kPillars);
    w.text("grid", "actnum-short", "count", 0, [](const std::string& t) {
        const std::size_t at = t.find("ACTNUM");
        if (at == std::string::npos) return t;
        const std::size_t slash = t.find('/', at);
        return t.substr(0, at) + "ACTNUM\n 10*1 /\n" + (slash == std::string::npos ? "" : t.substr(slash + 1));
    });
    // Absurd values.
    for (const auto& [id, value] : {std::pair{"depth-huge", "1e308"}, std::pair{"depth-negative-huge", "-1e308"},
                                    std::pair{"depth-nan", "nan"}, std::pair{"depth-inf", "inf"}})
        w.text("grid", id, "value", 0,
               [value = std::string(value)](const std::string& t) { return firstValueAfter(t, "ZCORN", value); });
}

// The include layout: each included file damaged in turn, and the statements themselves.
void damageIncludes(Writer& w, const fs::path& folder)
{
    const char* parts[] = {"", "coord", "zcorn", "actnum"};
    for (std::size_t which = 1; which <= 3; ++which) w.generic("include", which, parts[which], 5, 5, 2, 10 + which);
    w.specials("include", 2, "zcorn");
    w.text("include", "missing-zcorn", "include", 0,
           [](const std::string& t) { return replacedFirst(t, "INC_ZCORN.GRDECL", "INC_ZCORN_GONE.GRDECL"); });
    w.text("include", "self", "include", 0, [](const std::string& t) { return t + "INCLUDE\n 'INC.GRDECL' /\n"; });
    w.text("include", "unclosed-quote", "include", 0,
           [](const std::string& t) { return replacedFirst(t, "'INC_ZCORN.GRDECL'", "'INC_ZCORN.GRDECL"); });
    w.text("include", "empty-name", "include", 0,
           [](const std::string& t) { return replacedFirst(t, "'INC_ZCORN.GRDECL'", "''"); });
    w.text("include", "no-coord", "include", 0,
           [](const std::string& t) { return replacedFirst(t, "'INC_COORD.GRDECL'", "'INC_ACTNUM.GRDECL'"); });
    w.text("include", "chain-deep", "include", 0, [&](const std::string& t) {
        // Nine files deep before ZCORN is reached.
        const fs::path dir = folder / "include-chain-deep";
        for (int n = 1; n <= 9; ++n)
            writeText(dir / ("CHAIN" + std::to_string(n) + ".inc"),
                      "INCLUDE\n 'CHAIN" + std::to_string(n + 1) + ".inc' /\n");
        writeText(dir / "CHAIN10.inc", "INCLUDE\n 'INC_ZCORN.GRDECL' /\n");
        return replacedFirst(t, "'INC_ZCORN.GRDECL'", "'CHAIN1.inc'");
    });
    // The statement at fault is the one nine files deep.
    w.variants.back().damaged = folder / "include-chain-deep" / "CHAIN9.inc";
}

// Properties: generic damage, special files, a renamed keyword and porosities out of range.
void damageProperties(Writer& w)
{
    w.generic("property", 0, "", 8, 8, 4, 21);
    w.specials("property", 0, "");
    for (int k = 0; k < 2; ++k)
        w.text("property", "glued" + std::to_string(k + 1), "glued", 0,
               [k](const std::string& t) { return gluedNumbers(t, k * 30); });
    w.text("property", "renamed-keyword", "keyword", 0,
           [](const std::string& t) { return replacedFirst(t, "PORO", "P0RO"); });
    w.text("property", "porosity-negative", "value", 0,
           [](const std::string& t) { return firstValueAfter(t, "PORO", "-999"); });
    w.text("property", "porosity-above-one", "value", 0,
           [](const std::string& t) { return firstValueAfter(t, "PORO", "1.5"); });
}

// Deviation files: generic damage, special files, glued numbers and an X no well has.
void damageWells(Writer& w)
{
    w.generic("well", 0, "", 6, 8, 4, 31);
    w.specials("well", 0, "");
    for (int k = 0; k < 3; ++k)
        w.text("well", "glued" + std::to_string(k + 1), "glued", 0,
               [k](const std::string& t) { return gluedNumbers(t, k * 25); });
    for (const auto& [id, value] :
         {std::pair{"x-nan", "nan"}, std::pair{"x-huge", "1e39"}, std::pair{"x-null", "-999.25"}})
        w.text("well", id, "value", 0, [value = std::string(value)](const std::string& t) {
            const std::size_t rule = t.rfind("#=");
            const std::size_t row = t.find('\n', rule == std::string::npos ? 0 : rule);
            std::string out = t;
            if (row == std::string::npos) return out;
            // The second number of the first data row (its X).
            std::size_t at = row + 1;
            for (int field = 0; field < 2 && at < out.size(); ++field) {
                while (at < out.size() && std::isspace(static_cast<unsigned char>(out[at]))) ++at;
                if (field == 1) break;
                while (at < out.size() && !std::isspace(static_cast<unsigned char>(out[at]))) ++at;
            }
            std::size_t end = at;
            while (end < out.size() && !std::isspace(static_cast<unsigned char>(out[end]))) ++end;
            return out.replace(at, end - at, value);
        });
}

// Production: generic damage, a pipe, a repeated row and rates out of range.
void damageProduction(Writer& w)
{
    w.generic("production", 0, "", 3, 4, 2, 41);
    w.special("production", "fifo", 0, [](const fs::path& p) { return ::mkfifo(p.c_str(), 0644) == 0; });
    w.text("production", "duplicate-row", "double-line", 0, [](const std::string& t) { return t + "W-1;1;1;1\n"; });
    w.text("production", "negative", "value", 0,
           [](const std::string& t) { return replacedFirst(t, "120.5", "-120.5"); });
    w.text("production", "huge", "value", 0, [](const std::string& t) { return replacedFirst(t, "120.5", "1e38"); });
}

// The manifest the corpus check reads: one line per variant, its fields separated by tabs.
void writeManifest(const fs::path& folder, const std::vector<DamagedVariant>& variants)
{
    std::ofstream manifest(folder / "manifest.tsv", std::ios::trunc);
    for (const DamagedVariant& v : variants)
        manifest << v.kind << '\t' << v.id << '\t' << v.damage << '\t' << v.target.string() << '\t'
                 << v.damaged.string() << '\t' << v.cells << '\t' << v.pillars << '\n';
    if (!manifest) throw std::runtime_error("cannot write " + (folder / "manifest.tsv").string());
}

}  // namespace

std::vector<DamagedVariant> writeDamagedCorpus(const fs::path& folder)
{
    fs::remove_all(folder);
    fs::create_directories(folder);
    Writer w{folder, {}};
    for (const char* kind : {"grid", "include", "property", "well", "production"})
        w.text(kind, "base", "none", 0, [](const std::string& t) { return t; });

    damageGrids(w);
    damageIncludes(w, folder);
    damageProperties(w);
    damageWells(w);
    damageProduction(w);
    writeManifest(folder, w.variants);
    return w.variants;
}

std::vector<DamagedVariant> readDamagedManifest(const fs::path& folder)
{
    std::vector<DamagedVariant> variants;
    std::ifstream in(folder / "manifest.tsv");
    std::string line;
    while (std::getline(in, line)) {
        std::vector<std::string> fields;
        std::size_t from = 0;
        for (std::size_t tab; (tab = line.find('\t', from)) != std::string::npos; from = tab + 1)
            fields.push_back(line.substr(from, tab - from));
        fields.push_back(line.substr(from));
        if (fields.size() != 7) continue;
        variants.push_back(
            {fields[0], fields[1], fields[2], fields[3], fields[4], std::stoull(fields[5]), std::stoull(fields[6])});
    }
    return variants;
}

}  // namespace morvane::gen
