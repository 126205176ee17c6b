// Frame time of the view rendered offscreen at 1024 x 768 (EGL surfaceless, Mesa llvmpipe when no GPU is present)
// for the 1 M-cell model (200 x 100 x 50) in edge mode, layer view and flat-section view, the GPU buffer bytes the
// uploads hold per cell and the bytes of the grid and property arrays the model keeps on the CPU, with one property
// shown (goal: 600 bytes per cell in all). Grid build, colouring and upload times are reported beside them, the
// time of a cell pick at the middle of the view in each mode, the layer view of eight see-through layers (the
// settings' other choice) and flat-section frames while the model turns.
//
// Usage: bench_render [--frames N] [--nx X --ny Y --nz Z] [--picture PATH] [--pictures PREFIX]
//   --frames N          timed frames per view (default 5; the median and the best are reported)
//   --picture PATH      also write the edge-mode frame as a PNG, to look at
//   --pictures PREFIX   write each timed view as PREFIX_edge.png, PREFIX_layer.png and PREFIX_flat.png, to compare
//                       the frames of two builds pixel by pixel
#include <GL/glew.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "commands/view_modes.h"
#include "render/offscreen_renderer.h"
#include "tests/support/render_fixtures.h"
#include "tools/generator/model_generator.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

struct FrameTimes {
    double median = 0, best = 0;
};

// `beforeFrame` runs before each timed frame, inside the timing (a turn of the model that the frame must follow).
FrameTimes timeFrames(morvane::OffscreenRenderer& view, int frames, const std::function<void()>& beforeFrame = {})
{
    view.renderFrame();  // warm-up: shader variants, first touch of the buffers
    glFinish();
    std::vector<double> times;
    for (int f = 0; f < frames; ++f) {
        const auto start = Clock::now();
        if (beforeFrame) beforeFrame();
        view.renderFrame();
        glFinish();
        times.push_back(secondsSince(start));
    }
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.front()};
}

// Bytes of the grid and property arrays the model keeps (capacity, as allocated).
double heldBytes(const morvane::ModelState& s)
{
    double total = 0;
    auto add = [&](const auto& v) { total += double(v.capacity() * sizeof(v[0])); };
    auto addAll = [&](const auto& lists) {
        for (const auto& list : lists) add(list);
    };
    for (const auto* v :
         {&s.document.grid.input.pillars, &s.document.grid.input.pillarXY, &s.document.grid.input.cornerDepths})
        add(*v);
    for (const auto* v : {&s.grid_indices, &s.grid_indices_edge, &s.cell_indices, &s.cell_indices_edge}) add(*v);
    add(s.document.grid.rowCellCounts);
    add(s.cell_drawn);
    add(s.shell_face_runs);
    add(s.shell_line_runs);
    addAll(s.shell_side_planes);
    addAll(s.document.grid.regularCells);
    addAll(s.document.grid.layerVertices);
    addAll(s.cells_k);
    for (const morvane::Property& p : s.document.properties.items) {
        add(p.values);
        add(p.codes);
    }
    return total;
}

// A cell pick at the middle of the view, as a Ctrl+click asks it, after a frame has set the view.
FrameTimes timePicks(morvane::OffscreenRenderer& view, int picks, bool* hit)
{
    view.renderFrame();
    std::vector<double> times;
    for (int p = 0; p < picks; ++p) {
        const auto start = Clock::now();
        *hit = view.scene().pickCell(view.width() / 2, view.height() / 2).has_value();
        times.push_back(secondsSince(start));
    }
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.front()};
}

}  // namespace

int main(int argc, char** argv)
{
    int frames = 5, nx = 200, ny = 100, nz = 50;
    std::string picture, pictures;
    for (int a = 1; a + 1 < argc; a += 2) {
        const std::string flag = argv[a];
        const int value = std::atoi(argv[a + 1]);
        if (flag == "--picture")
            picture = argv[a + 1];
        else if (flag == "--pictures")
            pictures = argv[a + 1];
        else if (flag == "--frames")
            frames = std::max(1, value);
        else if (flag == "--nx")
            nx = value;
        else if (flag == "--ny")
            ny = value;
        else if (flag == "--nz")
            nz = value;
    }

    morvane::ModelState state;
    std::string error;
    auto view = morvane::OffscreenRenderer::create(state, 1024, 768, &error);
    if (!view) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    std::printf("GL: %s / %s\n", glGetString(GL_RENDERER), glGetString(GL_VERSION));

    morvane::gen::GridOptions options = morvane::testing::smallGrid(nx, ny, nz);
    options.domeHeight = 40;
    options.faultThrow = 15;
    morvane::testing::putGeneratedGrid(state, options);
    const double cells = static_cast<double>(nx) * ny * nz;
    std::printf("model: %d x %d x %d = %.0f cells\n", nx, ny, nz, cells);

    auto start = Clock::now();
    view->buildGridMeshes();
    std::printf("grid build (buildGridMeshes):            %8.3f s\n", secondsSince(start));
    start = Clock::now();
    view->uploadGrid();
    glFinish();
    std::vector<double>().swap(
        state.document.grid.input.cornerDepths);  // as the grid import does once the layers are uploaded
    std::printf("index lists + grid upload:         %8.3f s\n", secondsSince(start));
    std::printf("shell: %zu faces, %zu lines (the whole grid: %.0f faces, %.0f lines)\n",
                state.cell_indices_edge.size() / 6, state.grid_indices_edge.size() / 2, 5 * double(nx) * ny * nz,
                12 * double(nx) * ny * nz);

    std::vector<double> values(static_cast<std::size_t>(cells));
    for (std::size_t c = 0; c < values.size(); ++c) values[c] = static_cast<double>(c % 997) / 996.0;
    start = Clock::now();
    morvane::testing::loadContinuousProperty(state, *view, values);
    glFinish();
    std::printf("colouring + property upload:       %8.3f s\n", secondsSince(start));

    const auto& gl = view->scene().objects();
    const double gpu = static_cast<double>(gl.bufferBytes()) / cells, cpu = heldBytes(state) / cells;
    std::printf("GPU buffers: %zu, %.1f MB, %.1f bytes per cell\n", gl.liveBuffers(),
                static_cast<double>(gl.bufferBytes()) / 1e6, gpu);
    std::printf("CPU arrays (grid, index lists, properties): %.1f bytes per cell\n", cpu);
    std::printf("together: %.1f bytes per cell (goal <= 600); peak RSS %.1f bytes per cell\n", cpu + gpu,
                static_cast<double>(morvane::bench::peakRssBytes()) / cells);

    struct Mode {
        const char* name;
        morvane::ViewMode viewMode;
        const char* file;
    };
    for (const Mode& mode : {Mode{"edge mode", morvane::ViewMode::Shell, "edge"},
                             Mode{"layer view (K = middle)", morvane::ViewMode::Layers, "layer"},
                             Mode{"flat-section view", morvane::ViewMode::FlatSection, "flat"}}) {
        state.view.mode = mode.viewMode;
        state.view.layer.shown = std::max(1, nz / 2);
        const FrameTimes t = timeFrames(*view, frames);
        std::printf("frame, %-24s median %8.1f ms, best %8.1f ms\n", mode.name, t.median * 1e3, t.best * 1e3);
        if (!pictures.empty()) view->frame().save(pictures + "_" + mode.file + ".png");
        bool hit = false;
        const FrameTimes p = timePicks(*view, frames, &hit);
        std::printf("pick,  %-24s median %8.1f ms, best %8.1f ms%s\n", mode.name, p.median * 1e3, p.best * 1e3,
                    hit ? "" : " (no cell at the middle)");
    }
    // The layer view of eight layers (the settings' other choice than one opaque layer): half transparent, so every
    // face of the eight layers is drawn.
    state.view.mode = morvane::ViewMode::Layers;
    state.view.layer.oneAtATime = false;
    state.view.display.modelOpacity = 0.5f;
    const FrameTimes seeThrough = timeFrames(*view, frames);
    std::printf("frame, %-24s median %8.1f ms, best %8.1f ms\n", "layer view, see-through", seeThrough.median * 1e3,
                seeThrough.best * 1e3);
    state.view.mode = morvane::ViewMode::FlatSection;
    state.view.display.modelOpacity = 1.0f;
    // The section follows the model as it turns: every frame finds the cut cells anew.
    const FrameTimes turning = timeFrames(*view, frames, [&] { state.view.camera.rotation.z += 0.5f; });
    std::printf("frame, %-24s median %8.1f ms, best %8.1f ms\n", "flat section, turning", turning.median * 1e3,
                turning.best * 1e3);
    // The property filter view with the cells above the middle of the values removed: the kept cells only.
    state.view.mode = morvane::ViewMode::Filter;
    state.view.filter = morvane::PropertyFilterSetting::cutAt(0.5f, false);
    start = Clock::now();
    morvane::rebuildDisplayedProperty(state, view.get());
    glFinish();
    std::printf("filter applied (recolour + kept cells): %6.3f s\n", secondsSince(start));
    const FrameTimes filtered = timeFrames(*view, frames);
    std::printf("frame, %-24s median %8.1f ms, best %8.1f ms\n", "filter view, cut at 0.5", filtered.median * 1e3,
                filtered.best * 1e3);
    if (!pictures.empty()) view->frame().save(pictures + "_filter.png");
    state.view.mode = morvane::ViewMode::Shell;
    state.view.filter = {};
    morvane::rebuildDisplayedProperty(state, view.get());
    if (!picture.empty()) {
        state.view.mode = morvane::ViewMode::Shell;
        view->frame().save(picture);
    }
    return 0;
}
