// What a deck read to its end gives: the sections it lacks (with the outcome they lead to), the units of the grid
// and of its map axes, the depths no reservoir has, the pillars in model units and on the map, and the grid input.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "io/grid_reader_deck.h"

namespace morvane::grid_deck {
namespace {

constexpr double kDepthLimitMetres = 20000.0;  // no reservoir lies deeper, nor any surface higher

constexpr TextPair kEndsWithoutCoord{"Its grid keywords end at line {}, the end of the file: it may be cut short.",
                                     "Его ключевые слова грида заканчиваются в строке {}, в конце файла: файл, "
                                     "возможно, обрезан."};
constexpr TextPair kNoCoordNoInclude{"{} holds no COORD section and no INCLUDE statement.",
                                     "Файл {} не содержит ни раздела COORD, ни оператора INCLUDE."};
constexpr TextPair kNeitherSection{"Neither {} nor the files it includes hold COORD or ZCORN.",
                                   "Ни файл {}, ни включаемые им файлы не содержат COORD или ZCORN."};
constexpr TextPair kNoCoordIncluded{"The files included by {} hold no COORD section (included: {}).",
                                    "Файлы, включённые в {}, не содержат раздела COORD (включены: {})."};
constexpr TextPair kNoZcorn{"The grid in {} has a COORD section but no ZCORN section.",
                            "Грид в файле {} содержит раздел COORD, но не содержит раздела ZCORN."};
constexpr TextPair kNoMapFrame{
    "The MAPAXES of {} do not give a map origin and two axes; the coordinates are kept as written.",
    "MAPAXES в файле {} не задают начало и две оси карты; координаты оставлены как записаны."};
constexpr TextPair kMapApplied{"Local coordinates of {} are turned into map coordinates by the MAPAXES of {}.",
                               "Локальные координаты файла {} переведены в координаты карты по MAPAXES файла {}."};
constexpr TextPair kMapConverted{
    "The MAPAXES of {} are given in {} (MAPUNITS) and the grid in {}: they are converted to the grid's unit.",
    "MAPAXES файла {} заданы в единицах {} (MAPUNITS), а грид — в {}: они переведены в единицы грида."};
constexpr TextPair kUnknownGridUnit{
    "The GRIDUNIT of {} (line {}) gives the unit \"{}\", which the viewer does not know; lengths are taken as metres.",
    "GRIDUNIT в файле {} (строка {}) задаёт неизвестную единицу \"{}\"; длины считаются в метрах."};
constexpr TextPair kUnknownMapUnit{
    "The MAPUNITS of {} (line {}) gives the unit \"{}\", which the viewer does not know; the MAPAXES are taken in the "
    "grid's unit.",
    "MAPUNITS в файле {} (строка {}) задаёт неизвестную единицу \"{}\"; MAPAXES считаются в единицах грида."};
constexpr TextPair kEditsNotApplied{
    "{} holds simulator edits that the viewer does not apply: {}; the arrays are shown as written.",
    "Файл {} содержит правки симулятора, которые программа не применяет: {}; массивы показаны как записаны."};
constexpr TextPair kLikeAKeyword{"{} in {}, line {}, is not a keyword the viewer knows; it may be a damaged {}.",
                                 "{} в файле {}, строка {}, — незнакомое программе ключевое слово; возможно, это "
                                 "повреждённое {}."};
constexpr TextPair kFarDepths{
    "{} of the {} {} in the {} section of {} lie beyond 20 km from the datum (from {} to {}); they are kept as read.",
    "{} из {} {} в разделе {} файла {} лежат дальше 20 км от уровня приведения (от {} до {}); они оставлены как "
    "прочитаны."};
constexpr TextPair kCornerDepths{"corner depths", "глубин углов"};
constexpr TextPair kPillarDepths{"pillar depths", "глубин опорных линий"};

// Metres in one unit of a GRIDUNIT or MAPUNITS word; nothing for a word not known.
std::optional<double> metresPerUnit(const std::string& unit)
{
    if (unit == "METRES" || unit == "METERS" || unit == "METRE" || unit == "METER" || unit == "M") return 1.0;
    if (unit == "FEET" || unit == "FT") return 0.3048;
    if (unit == "CM") return 0.01;
    return std::nullopt;
}

std::string unitWord(const std::string& unit, double metres)
{
    return unit.empty() ? (metres == 1.0 ? std::string("METRES") : unit) : unit;
}

// Turns local pillar x, y (model units) into map coordinates when they are local: the grid lies nearer the local
// origin than the frame's map origin. Returns whether it did.
bool applyMapAxes(const MapFrame& f, std::vector<double>& points, std::vector<double>& linesXY)
{
    if (linesXY.size() < 2) return false;
    double xMin = linesXY[0], xMax = xMin, yMin = linesXY[1], yMax = yMin;
    for (std::size_t n = 0; n + 1 < linesXY.size(); n += 2) {
        xMin = std::min(xMin, linesXY[n]);
        xMax = std::max(xMax, linesXY[n]);
        yMin = std::min(yMin, linesXY[n + 1]);
        yMax = std::max(yMax, linesXY[n + 1]);
    }
    const double cx = (xMin + xMax) / 2, cy = (yMin + yMax) / 2;
    const bool identity = f.ox == 0 && f.oy == 0 && f.ex_x == 1 && f.ex_y == 0 && f.ey_x == 0 && f.ey_y == 1;
    if (identity || std::hypot(cx, cy) > std::hypot(cx - f.ox, cy - f.oy)) return false;
    auto turn = [&](double& x, double& y) {
        const double lx = x, ly = y;
        x = f.ox + lx * f.ex_x + ly * f.ey_x;
        y = f.oy + lx * f.ex_y + ly * f.ey_y;
    };
    for (std::size_t n = 0; n + 1 < points.size(); n += 3) turn(points[n], points[n + 1]);  // top and bottom
    for (std::size_t n = 0; n + 1 < linesXY.size(); n += 2) turn(linesXY[n], linesXY[n + 1]);
    return true;
}

}  // namespace

GridReadResult DeckReader::finish()
{
    // Simulator edits and keywords that look damaged: warned about whatever becomes of the grid.
    warnEditsAndLookalikes();
    const bool includeLayout =
        sawInclude_ && (!coord_.found() || !zcorn_.found() || coord_.source != 0 || zcorn_.source != 0);
    auto refuse = [&](GridReadOutcome outcome, LocalMessage message) {
        outcome_ = outcome;
        message_ = std::move(message);
        GridReadResult result = failure();
        result.includeLayout = includeLayout;
        return result;
    };
    if (std::optional<std::pair<GridReadOutcome, LocalMessage>> missing = missingSections())
        return refuse(missing->first, std::move(missing->second));
    for (const LocalMessage& warning : unreadWarnings_) warnings_.push_back(warning);
    stage(GridReadStage::ZcornExpanded);

    if (!zcorn_.found()) return refuse(GridReadOutcome::Refused, fillIn(kNoZcorn, {placeFile(coord_)}));
    if (std::optional<LocalMessage> misfit = sectionsAgainstCounts())
        return refuse(GridReadOutcome::Refused, std::move(*misfit));

    const double gridMetres = applyUnits();
    std::vector<double> linesXY = pillarsInModelUnits();
    warnFarDepths(depths_, 0, 1, kCornerDepths, kZcorn, placeFile(zcorn_), gridMetres);
    warnFarDepths(points_, 2, 3, kPillarDepths, kCoord, placeFile(coord_), gridMetres);
    const bool mapApplied = placeOnMap(linesXY);
    return gridRead(std::move(linesXY), mapApplied, includeLayout);
}

void DeckReader::warnEditsAndLookalikes()
{
    for (std::size_t s = 0; s < sources_.size(); ++s) {
        std::string list;
        for (const auto& [source, edit] : edits_)
            if (source == s) list += (list.empty() ? "" : ", ") + edit;
        if (!list.empty()) warnings_.push_back(fillIn(kEditsNotApplied, {sources_[s].file, list}));
    }
    for (const Lookalike& l : lookalikes_)
        warnings_.push_back(fillIn(kLikeAKeyword, {l.word, placeFile(l.place), number(lineAt(l.place)), l.keyword}));
}

// Without COORD, or without a section an unreadable included file may have held: the outcome and its message.
std::optional<std::pair<GridReadOutcome, LocalMessage>> DeckReader::missingSections()
{
    if (!unreadIncludes_.empty() && (!coord_.found() || !zcorn_.found()))
        return std::pair{GridReadOutcome::MissingInclude, unreadIncludes_.front()};
    if (coord_.found()) return std::nullopt;
    if (!sawInclude_) {
        // A file with grid keywords but no COORD was most likely cut short: said with the line it ends at.
        LocalMessage message = fillIn(kNoCoordNoInclude, {path_});
        const std::string_view text = sources_[0].text;
        if (sawGridKeyword_ && !zcorn_.found() && !text.empty())
            message += fillIn(kEndsWithoutCoord, {number(lineOf(text, text.size() - 1))});
        return std::pair{GridReadOutcome::NotAGrid, std::move(message)};
    }
    if (!zcorn_.found()) return std::pair{GridReadOutcome::NotAGrid, fillIn(kNeitherSection, {path_})};
    stage(GridReadStage::LayoutDecided);
    std::string included;
    for (std::size_t s = 1; s < sources_.size(); ++s) included += (included.empty() ? "" : ", ") + sources_[s].file;
    return std::pair{GridReadOutcome::Stopped, fillIn(kNoCoordIncluded, {path_, included})};
}

// Units: the grid's, and the map axes' when MAPUNITS gives them in another (the axes are converted to the grid's).
// Returns the metres in one unit of the grid.
double DeckReader::applyUnits()
{
    double gridMetres = 1.0;
    if (!gridUnit_.empty()) {
        if (const auto metres = metresPerUnit(gridUnit_))
            gridMetres = *metres;
        else
            warnings_.push_back(
                fillIn(kUnknownGridUnit, {placeFile(gridUnitPlace_), number(lineAt(gridUnitPlace_)), gridUnit_}));
    }
    if (!mapUnits_.empty() && mapAxesPlace_.found()) {
        if (const auto metres = metresPerUnit(mapUnits_)) {
            if (*metres != gridMetres) {
                for (double& v : mapAxes_) v *= *metres / gridMetres;
                notes_.push_back(
                    fillIn(kMapConverted, {placeFile(mapAxesPlace_), mapUnits_, unitWord(gridUnit_, gridMetres)}));
            }
        } else {
            warnings_.push_back(
                fillIn(kUnknownMapUnit, {placeFile(mapUnitsPlace_), number(lineAt(mapUnitsPlace_)), mapUnits_}));
        }
    }
    return gridMetres;
}

// Depths no reservoir has: told with their count and range, kept as read. Every `step`th value from `first` is a
// depth in model units.
void DeckReader::warnFarDepths(const std::vector<double>& values, std::size_t first, std::size_t step,
                               const TextPair& what, std::string_view section, const std::string& file,
                               double gridMetres)
{
    const double limit = kDepthLimitMetres / gridMetres / kCoordMult;
    std::size_t far = 0, all = 0;
    double low = std::numeric_limits<double>::infinity(), high = -low;
    for (std::size_t n = first; n < values.size(); n += step) {
        ++all;
        if (std::abs(values[n]) <= limit) continue;
        ++far;
        low = std::min(low, -values[n] * kCoordMult);
        high = std::max(high, -values[n] * kCoordMult);
    }
    if (far == 0) return;
    LocalMessage m =
        fillIn(kFarDepths, {number(far), number(all), what.en, section, file, shortNumber(low), shortNumber(high)});
    m.ru =
        fillIn(kFarDepths, {number(far), number(all), what.ru, section, file, shortNumber(low), shortNumber(high)}).ru;
    warnings_.push_back(std::move(m));
}

// COORD in model units: x, y as value / kCoordScale, z as -value / kCoordScale; six numbers per pillar. Returns the
// pillars' x and y, two per point.
std::vector<double> DeckReader::pillarsInModelUnits()
{
    std::vector<double> linesXY;
    linesXY.reserve(points_.size() / 3 * 2 + 2);
    for (std::size_t n = 0; n < points_.size(); ++n) {
        if (n % 3 == 2) {
            points_[n] = -(points_[n] / kCoordMult);
        } else {
            points_[n] = points_[n] / kCoordMult;
            linesXY.push_back(points_[n]);
        }
    }
    return linesXY;
}

// The pillars turned into map coordinates by MAPAXES when they are local; whether they were.
bool DeckReader::placeOnMap(std::vector<double>& linesXY)
{
    if (!mapAxesPlace_.found()) return false;
    const std::optional<MapFrame> frame = mapFrameOf(mapAxes_);
    if (!frame) {
        warnings_.push_back(fillIn(kNoMapFrame, {placeFile(mapAxesPlace_)}));
        return false;
    }
    if (!applyMapAxes(*frame, points_, linesXY)) return false;
    notes_.push_back(fillIn(kMapApplied, {placeFile(coord_), placeFile(mapAxesPlace_)}));
    return true;
}

// The outcome Read: the grid input with what real exports add, the warnings, notes and inline keywords.
GridReadResult DeckReader::gridRead(std::vector<double> linesXY, bool mapApplied, bool includeLayout)
{
    GridReadResult result;
    CornerPointInput& grid = result.grid;
    grid.pillars = std::move(points_);
    grid.pillarXY = std::move(linesXY);
    grid.cornerDepths = std::move(depths_);
    grid.declaredSize = haveDims_ ? dims_ : std::array<int, 3>{};
    grid.actnum = std::move(actnumValues_);
    grid.mapAxes = mapAxesPlace_.found() ? mapAxes_ : std::vector<double>{};
    grid.mapAxesApplied = mapApplied;
    grid.unit = gridUnit_;
    grid.coordFile = placeFile(coord_);
    grid.zcornFile = placeFile(zcorn_);
    grid.actnumFile = actnum_.found() ? placeFile(actnum_) : std::string();
    // The builder names ACTNUM's line only when its count does not fit the cells (8 depths each): counting lines is a
    // pass over the text up to ACTNUM, usually the whole file, so it is done only then.
    const bool actnumMisfits = grid.actnum.size() * 8 != grid.cornerDepths.size();
    grid.actnumLine = actnum_.found() && actnumMisfits ? lineAt(actnum_) : 0;
    result.outcome = GridReadOutcome::Read;
    result.includeLayout = includeLayout;
    result.warnings = std::move(warnings_);
    result.notes = std::move(notes_);
    result.inlineKeywords = std::move(inlineKeywords_);
    return result;
}

}  // namespace morvane::grid_deck
