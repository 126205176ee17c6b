#include "commands/well_section_command.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "commands/property_import_command.h"
#include "core/trace_text.h"
#include "io/property_reader.h"

namespace morvane {

namespace {

struct Point {
    float x = 0, y = 0;
};

// The arc tangent of a slope, in single precision; a direction of no length (0 / 0) is taken as 0.
float slopeAngle(float dy, float dx) { return dx == 0 && dy == 0 ? 0.0f : std::atan(dy / dx); }

Point rotated(Point p, float t, Point c)
{
    const float cs = std::cos(t), sn = std::sin(t);
    return {cs * (p.x - c.x) - sn * (p.y - c.y) + c.x, sn * (p.x - c.x) + cs * (p.y - c.y) + c.y};
}

float distance(Point a, Point b) { return std::hypot(a.x - b.x, a.y - b.y); }

Point vertexAt(const Vertices& v, std::size_t n) { return {v[n * 6], v[n * 6 + 1]}; }

// The midpoint of the first and last vertex of a well's inside-model part.
Point midpointOf(const Wells& wells, int w)
{
    const Vertices& v = wells.well_coord_vertex_show[static_cast<std::size_t>(w)];
    const Point first = vertexAt(v, 0), last = vertexAt(v, v.size() / 6 - 1);
    return {(first.x + last.x) / 2, (first.y + last.y) / 2};
}

// Horizontal reach under two cells: the well's own course gives no direction to cut along.
bool nearlyVertical(const ModelState& s, int w)
{
    const std::size_t i = static_cast<std::size_t>(w);
    const float reach = i < s.well_proj_length.size() ? s.well_proj_length[i] : 0.0f;
    return reach * static_cast<float>(kCoordScale) < 2.0f * static_cast<float>(s.document.grid.cellSize);
}

// A well whose trajectory never enters the model has only a placeholder at the origin as its inside part.
bool entersModel(const Wells& wells, int w)
{
    if (w < 0 || static_cast<std::size_t>(w) >= wells.well_coord_vertex_show.size()) return false;
    if (static_cast<std::size_t>(w) >= wells.well_coord_vertex_hide.size()) return false;
    const Vertices& v = wells.well_coord_vertex_show[static_cast<std::size_t>(w)];
    if (v.size() < 12) return false;
    for (std::size_t i = 0; i + 5 < v.size(); i += 6)
        if (v[i] != 0 || v[i + 1] != 0 || v[i + 2] != 0) return true;
    return false;
}

// The turn of a nearly vertical middle well between the direction L it was aimed in and the direction a1 to the new
// well, by the signs of both and the flags of the positions. Sums with pi / 2 and pi in double precision.
float middleWellTurn(float a1, float L, bool f1, bool f2, bool f3, bool f4, bool f5)
{
    constexpr double halfPi = std::numbers::pi / 2, pi = std::numbers::pi;
    const float m = (L + a1) / 2;
    const auto quarterBack = [&] { return static_cast<float>(static_cast<double>(m) - halfPi - L); };
    if (a1 < 0 && L > 0) return f2 == f4 ? m - L : static_cast<float>(static_cast<double>(m) - halfPi - L - pi);
    if (a1 > 0 && L < 0) return f1 == f5 ? quarterBack() : m - L;
    if (a1 > 0 && L > 0) return f3 == f4 ? quarterBack() : m - L;
    if (a1 < 0 && L < 0) return m - L;
    return 0;
}

class SectionCutter {
public:
    explicit SectionCutter(const WellSectionContext& ctx) : ctx_(ctx), s_(ctx.state)
    {
        D_ = std::sqrt((s_.document.grid.extent.xMax - s_.document.grid.extent.xMin) *
                           (s_.document.grid.extent.xMax - s_.document.grid.extent.xMin) +
                       (s_.document.grid.extent.yMax - s_.document.grid.extent.yMin) *
                           (s_.document.grid.extent.yMax - s_.document.grid.extent.yMin));
    }

    float diagonal() const { return D_; }

    // Cuts one segment, uploads the entries and traces the label and the eight values.
    void cut(const char* label, Point extendedStart, Point extendedEnd, Point start, Point end)
    {
        const SectionSegment segment{extendedStart.x, extendedStart.y, extendedEnd.x, extendedEnd.y,
                                     start.x,         start.y,         end.x,         end.y};
        for (const std::string& line : makeWellSection(s_.document.grid, s_.document.properties,
                                                       s_.document.properties.find(s_.view.shownProperty),
                                                       s_.document.contacts, s_.view.contacts.owcColour, s_, segment))
            ctx_.feedback.trace(line);
        ctx_.view.uploadWellSection();
        ctx_.feedback.trace(label);
        for (const float v :
             {extendedStart.x, extendedStart.y, extendedEnd.x, extendedEnd.y, start.x, start.y, end.x, end.y})
            ctx_.feedback.trace(trace_text::line("", v));
    }

    // A segment from `from` to `to` whose section line runs a model diagonal beyond both.
    void cutBetween(const char* label, Point from, Point to)
    {
        const float c = slopeAngle(to.y - from.y, to.x - from.x);
        const Point along{std::cos(c) * D_, std::sin(c) * D_};
        cut(label, {from.x + along.x, from.y + along.y}, {to.x - along.x, to.y - along.y}, from, to);
    }

private:
    const WellSectionContext& ctx_;
    ModelState& s_;
    float D_ = 0;
};

void emptySection(ModelState& s)
{
    s.view.section.wells.clear();
    s.intersect_lines.clear();
    s.intersect_owc.clear();
    s.intersect_lines_indices.clear();
    s.section_well_coord_vertex.clear();
    s.section_well_runs.clear();
}

// The section plane under the latest well: a vertical rectangle from S to E over the model's depth range.
void placeSectionPlane(const WellSectionContext& ctx, Point S, Point E)
{
    ModelState& s = ctx.state;
    const auto rectangle = [&](const std::array<float, 3>& c) {
        return Vertices{S.x, S.y, s.document.grid.extent.zMin, c[0], c[1], c[2],
                        S.x, S.y, s.document.grid.extent.zMax, c[0], c[1], c[2],
                        E.x, E.y, s.document.grid.extent.zMin, c[0], c[1], c[2],
                        E.x, E.y, s.document.grid.extent.zMax, c[0], c[1], c[2]};
    };
    s.model_section = rectangle(s.model_section_color);
    s.model_section_border = rectangle(s.model_section_border_color);
    s.view.section.planePlaced = true;
    ctx.view.uploadSectionPlane();
}

// The picked well's vertices for the section (outside-model part, then inside-model part) and the first vertex of
// each of their runs, so the parts are drawn without chords between them.
void appendSectionWell(ModelState& s, int b)
{
    const std::size_t w = static_cast<std::size_t>(b);
    const Vertices& hidden = s.well_coord_vertex_hide[w];
    const Vertices& shown = s.well_coord_vertex_show[w];
    Vertices vertices = hidden;
    vertices.insert(vertices.end(), shown.begin(), shown.end());
    const auto runsOf = [](const std::vector<std::vector<int>>& list, std::size_t i, const Vertices& part) {
        if (i < list.size() && !list[i].empty()) return list[i];
        return part.empty() ? std::vector<int>{} : std::vector<int>{0};
    };
    std::vector<int> runs = runsOf(s.well_hide_runs, w, hidden);
    const int offset = static_cast<int>(hidden.size() / 6);
    for (const int r : runsOf(s.well_show_runs, w, shown)) runs.push_back(r + offset);
    s.section_well_coord_vertex.push_back(std::move(vertices));
    s.section_well_runs.push_back(std::move(runs));
}

// A well's part of the section: its own segment S to E, and the section line XS to XE that runs a model diagonal
// beyond both ends.
struct WellSegment {
    Point S, E, XS, XE;
};

// The well's own segment: from six stations before its last inside-model vertex to that vertex, drawn in by 0.2 at
// both ends; its section line runs the model's diagonal `D` beyond them.
WellSegment ownSegment(const Vertices& inside, float D)
{
    const std::size_t N = inside.size() / 6;
    const Point E = vertexAt(inside, N - 1);
    const Point S = vertexAt(inside, N < 6 ? 0 : N - 6);
    // A well whose last stations stand on one spot takes the direction of its whole inside-model course.
    const Point first = vertexAt(inside, 0);
    const float a0 =
        S.x == E.x && S.y == E.y ? slopeAngle(E.y - first.y, E.x - first.x) : slopeAngle(E.y - S.y, E.x - S.x);
    WellSegment segment;
    segment.XS = {S.x + std::cos(a0) * D, S.y + std::sin(a0) * D};
    segment.XE = {E.x - std::cos(a0) * D, E.y - std::sin(a0) * D};
    segment.S = {S.x + std::cos(a0) * 0.2f, S.y + std::sin(a0) * 0.2f};
    segment.E = {E.x - std::cos(a0) * 0.2f, E.y - std::sin(a0) * 0.2f};
    return segment;
}

// The direction from the new well towards the previous well's midpoint P, measured from the point R returned with
// it. A nearly vertical new well is first turned about its own midpoint to aim at P.
float aimAtPreviousWell(const ModelState& s, int b, Point P, WellSegment& segment, Point& R)
{
    if (!nearlyVertical(s, b)) {
        R = segment.S;
        return slopeAngle(P.y - segment.S.y, P.x - segment.S.x);
    }
    const Point W = midpointOf(s, b);
    const float a1 = slopeAngle(P.y - W.y, P.x - W.x);
    R = W;
    const float t = a1 - slopeAngle(segment.E.y - segment.S.y, segment.E.x - segment.S.x);
    segment.S = rotated(segment.S, t, W);
    segment.E = rotated(segment.E, t, W);
    segment.XS = rotated(segment.XS, t, W);
    segment.XE = rotated(segment.XE, t, W);
    return a1;
}

// A nearly vertical previous well has no direction of its own: it is turned about its midpoint P towards the new
// well (direction a1 from R), its entries withdrawn and cut again. The `n`th well in the section is being added.
void reaimPreviousWell(const WellSectionContext& ctx, SectionCutter& cutter, int n, float a1, Point P, Point R)
{
    ModelState& s = ctx.state;
    if (!nearlyVertical(s, s.last_b) || n < 2) return;
    const Point prevStart{s.last_well_section_x_start, s.last_well_section_y_start};
    const Point prevEnd{s.last_well_section_x, s.last_well_section_y};
    const Point prevExtStart{s.last_ext_well_section_x_start, s.last_ext_well_section_y_start};
    const Point prevExtEnd{s.last_ext_well_section_x_end, s.last_ext_well_section_y_end};
    Point S1, E1;
    if (n == 2) {
        // Re-aim the first well at the second.
        const float t2 = a1 - slopeAngle(prevStart.y - prevEnd.y, prevStart.x - prevEnd.x);
        S1 = rotated(prevStart, t2, P);
        E1 = rotated(prevEnd, t2, P);
        withdrawSectionEntries(s, 1);
        cutter.cut("prev", rotated(prevExtStart, t2, P), rotated(prevExtEnd, t2, P), S1, E1);
    } else {
        // Re-aim a middle well between its neighbours: its own segment and the connecting one before it again.
        const bool f1 = R.x > P.x && R.y > P.y;
        const bool f2 = R.x < P.x && R.y > P.y;
        const bool f3 = R.y > P.y;
        const bool f4 = s.last_last_well_section_y_start > P.y;
        const bool f5 = s.last_last_well_section_x_start > P.x;
        ctx.feedback.trace(trace_text::line("alfa1 = ", a1));
        ctx.feedback.trace(trace_text::line("last_alfa = ", s.last_alfa));
        const float g = middleWellTurn(a1, s.last_alfa, f1, f2, f3, f4, f5);
        ctx.feedback.trace(trace_text::line("gamma = ", g));
        S1 = rotated(prevStart, g, P);
        E1 = rotated(prevEnd, g, P);
        withdrawSectionEntries(s, 2);
        cutter.cutBetween("zamena1", {s.last_last_well_section_x, s.last_last_well_section_y}, S1);
        cutter.cut("zamena2", rotated(prevExtStart, g, P), rotated(prevExtEnd, g, P), S1, E1);
    }
    s.last_well_section_x_start = S1.x;
    s.last_well_section_y_start = S1.y;
    s.last_well_section_x = E1.x;
    s.last_well_section_y = E1.y;
}

// Joins the nearest ends of the previous and the new segment (the new one turned end for end when that brings them
// nearer; the second well may also join the first well's start).
void joinNearestEnds(ModelState& s, SectionCutter& cutter, int n, WellSegment& segment)
{
    Point& S = segment.S;
    Point& E = segment.E;
    const Point PS{s.last_well_section_x_start, s.last_well_section_y_start};
    Point PE{s.last_well_section_x, s.last_well_section_y};
    if (n == 2) {
        const float d1 = distance(PS, S), d2 = distance(PS, E), d3 = distance(PE, S), d4 = distance(PE, E);
        if (d1 < d2 && d1 < d3 && d1 < d4) {
            PE = PS;
        } else if (d2 < d1 && d2 < d3 && d2 < d4) {
            PE = PS;
            std::swap(S, E);
        } else if (d4 < d1 && d4 < d2 && d4 < d3) {
            std::swap(S, E);
        }
        s.last_well_section_x = PE.x;
        s.last_well_section_y = PE.y;
    } else if (distance(PE, E) < distance(PE, S)) {
        std::swap(S, E);
    }
    cutter.cutBetween("mezhdu", PE, S);
}

// The new well's segment becomes the previous one, and the previous one the one before it.
void rememberSegment(ModelState& s, const WellSegment& segment, int b)
{
    s.last_last_well_section_x = s.last_well_section_x;
    s.last_last_well_section_y = s.last_well_section_y;
    s.last_last_well_section_x_start = s.last_well_section_x_start;
    s.last_last_well_section_y_start = s.last_well_section_y_start;
    s.last_last_ext_well_section_x_start = s.last_ext_well_section_x_start;
    s.last_last_ext_well_section_y_start = s.last_ext_well_section_y_start;
    s.last_last_ext_well_section_x_end = s.last_ext_well_section_x_end;
    s.last_last_ext_well_section_y_end = s.last_ext_well_section_y_end;
    s.last_well_section_x_start = segment.S.x;
    s.last_well_section_y_start = segment.S.y;
    s.last_well_section_x = segment.E.x;
    s.last_well_section_y = segment.E.y;
    s.last_ext_well_section_x_start = segment.XS.x;
    s.last_ext_well_section_y_start = segment.XS.y;
    s.last_ext_well_section_x_end = segment.XE.x;
    s.last_ext_well_section_y_end = segment.XE.y;
    s.last_b = b;
}

}  // namespace

ModeButtons switchWellSection(const WellSectionContext& ctx, bool wasChecked)
{
    ModelState& s = ctx.state;
    const bool russian = s.view.language == "ru";
    const std::string caption = russian ? property_texts::CaptionRu : property_texts::CaptionEn;
    if (!s.document.grid.loaded) {
        ctx.prompts.information(russian ? kNoGridTextRu : kNoGridTextEn, caption);
        return ModeButtons::Unchanged;
    }
    if (s.document.properties.items.empty()) {
        ctx.prompts.information(russian ? kNoPropertyTextRu : kNoPropertyTextEn, caption);
        return ModeButtons::Unchanged;
    }
    if (!wasChecked) {
        showShell(s);
        s.view.mode = ViewMode::WellSection;
        resetPropertyCut(s, &ctx.view);
        emptySection(s);
        ctx.view.uploadWellSection();  // frees the objects of an earlier section
        ctx.window.showSelectionWindow();
        return ModeButtons::OnlyThisOne;
    }
    showShell(s);
    ctx.window.hideSelectionWindow();
    if (s.view.section.unfolded) {
        s.view.camera.position = s.view.section.savedCamera.position;
        s.view.camera.rotation = s.view.section.savedCamera.rotation;
        s.view.camera.scale = s.view.section.savedCamera.scale;
        s.view.camera.verticalScale = s.view.section.savedCamera.verticalScale;
        s.view.section.unfolded = false;
        ctx.window.enableViewButtons(true);
        s.view.display.background = readBackgroundColor(ctx.settings, s.view.display.background);
        ctx.view.applyBackground();
        ctx.window.applySectionColours(false);
    }
    return ModeButtons::ThisOneOff;
}

bool addSectionWell(const WellSectionContext& ctx, bool leftButton)
{
    ModelState& s = ctx.state;
    Feedback& fb = ctx.feedback;
    if (!s.view.is(ViewMode::WellSection) || !leftButton || s.view.hoveredWells.empty() || !s.cellsColoured())
        return false;
    fb.trace("wellsection3d");
    const int k = static_cast<int>(s.view.section.wells.size());
    const int b = s.view.hoveredWells.front();
    if (std::find(s.view.section.wells.begin(), s.view.section.wells.end(), b) != s.view.section.wells.end())
        return false;
    if (k >= MAX_SECTION_WELLS) return false;
    if (!entersModel(s, b)) {
        fb.trace("the well does not enter the model");
        return false;
    }
    s.view.section.wells.push_back(b);

    const Vertices& inside = s.well_coord_vertex_show[static_cast<std::size_t>(b)];
    appendSectionWell(s, b);
    SectionCutter cutter(ctx);
    WellSegment segment = ownSegment(inside, cutter.diagonal());
    placeSectionPlane(ctx, segment.S, segment.E);

    const int n = k + 1;
    if (n > 1) {
        const Point P = midpointOf(s, s.last_b);
        Point R;
        const float a1 = aimAtPreviousWell(s, b, P, segment, R);
        reaimPreviousWell(ctx, cutter, n, a1, P, R);
        joinNearestEnds(s, cutter, n, segment);
        s.last_alfa = a1;
    }
    cutter.cut("current", segment.XS, segment.XE, segment.S, segment.E);
    rememberSegment(s, segment, b);

    fb.trace("raz1");
    const std::size_t w = static_cast<std::size_t>(b);
    const auto& wells = s.document.wells.items;
    ctx.window.addSectionRow(w < wells.size() ? wells[w].name : std::string(), k + 1);
    fb.trace("raz2");
    return true;
}

bool RenderWellSection(const WellSectionContext& ctx)
{
    ModelState& s = ctx.state;
    const auto switchOff = [&] {
        ctx.window.releaseSectionButton();
        s.view.mode = ViewMode::Shell;
        ctx.window.hideSelectionWindow();
        return false;
    };
    if (s.intersect_lines.size() <= 1) return switchOff();

    const UnfoldedSection strip = unfoldWellSection(s);
    for (const std::string& line : strip.trace) ctx.feedback.trace(line);
    // Nothing of the model along the whole path: there is no strip to show.
    if (!strip.laidOut) return switchOff();
    ctx.view.uploadWellSection();

    s.view.display.background = {255, 255, 255};
    ctx.view.applyBackground();
    ctx.window.applySectionColours(true);
    s.view.section.unfolded = true;
    ctx.window.enableViewButtons(false);

    s.view.section.savedCamera.position = s.view.camera.position;
    s.view.section.savedCamera.rotation = s.view.camera.rotation;
    s.view.section.savedCamera.scale = s.view.camera.scale;
    s.view.section.savedCamera.verticalScale = s.view.camera.verticalScale;
    const float width = strip.xmax - strip.xmin;
    s.view.camera.position = {-(strip.xmax + strip.xmin) / 2, 0.0f, -(strip.zmax + strip.zmin) / 2};
    s.view.camera.rotation.x = -90;
    s.view.camera.rotation.z = 0;
    s.view.camera.scale.x = 2 / width - 0.01f;
    s.view.camera.scale.z = s.view.camera.scale.x * s.view.camera.verticalScale;
    return true;
}

bool showSectionThroughWells(const WellSectionContext& ctx, const std::vector<std::string>& wells, std::string* error)
{
    ModelState& s = ctx.state;
    const auto fail = [error](std::string why) {
        if (error) *error = std::move(why);
        return false;
    };
    if (switchWellSection(ctx, false) == ModeButtons::Unchanged)
        return fail("the well section needs a grid and a loaded property");
    for (const std::string& name : wells) {
        const auto& loaded = s.document.wells.items;
        const auto found = std::find_if(loaded.begin(), loaded.end(), [&](const Well& w) { return w.name == name; });
        if (found == loaded.end()) return fail("no well called \"" + name + "\" was loaded");
        s.view.hoveredWells = {static_cast<int>(found - loaded.begin())};
        addSectionWell(ctx, true);
    }
    s.view.hoveredWells.clear();
    if (!RenderWellSection(ctx)) return fail("the section needs at least two wells that cross the model");
    return true;
}

}  // namespace morvane
