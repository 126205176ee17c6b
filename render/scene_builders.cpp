// The view's geometry operations: each calls the pure scene builder on the model state, shows what the builder
// reports (trace lines, the log line, the statistics and the data tree) and uploads where the view always did.
#include "platform/trace.h"
#include "render/scene_renderer.h"
#include "scene/grid_geometry.h"
#include "scene/grid_indices.h"
#include "scene/property_colouring.h"
#include "scene/reference_plane.h"
#include "scene/well_geometry.h"

namespace morvane {

namespace {

void sendTrace(Feedback* log, const std::vector<std::string>& lines)
{
    for (const auto& line : lines) {
        if (log)
            log->trace(line);
        else
            trace(line);
    }
}

}  // namespace

GridBuildOutcome SceneRenderer::buildGridMeshes()
{
    const SurfaceUse use(surface_);
    const GridBuildReport report = buildGrid(s_);
    sendTrace(log_, report.trace);
    wellCorners_.reset();  // the wells of a new grid search its corners
    if (report.built()) {
        // A cell marked on the grid before is no cell of this one.
        s_.picked_cell_lines.clear();
        uploadPickedCell();
        if (modelStat_)
            modelStat_->showModelStat({report.modelStat_cell_i, report.modelStat_cell_j, report.modelStat_cell_k,
                                       report.modelStat_cell_ijk, report.modelStat_resol});
        uploadReferencePlane();
        if (tree_) tree_->showGridNode(report.treeNode);
    } else if (report.clearDataTree && tree_) {
        tree_->clearTree();
    }
    for (const GridBuildLine& note : report.notes) appendLogLine(note.text, note.colour);
    appendLogLine(gridBuildLogLine(report, s_.view.language), report.colour);
    for (const std::string& detail : report.details) appendLogLine(detail, log_colour::Red);
    return report.outcome;
}

void SceneRenderer::buildGridIndexLists()
{
    trace("staring binding grid");
    buildGridIndices(s_.document.grid, s_, s_, s_.view.display.inactiveCells);
    trace("binding grid1");
}

void SceneRenderer::recolourCells()
{
    const SurfaceUse use(surface_);
    const Document& doc = s_.document;
    const CellColouring::Source source{true, doc.grid.revision, doc.properties.revision, s_.view.shownProperty,
                                       s_.view.filter};
    if (s_.colouredFrom == source) return;
    if (!colourCells(doc.grid, doc.properties, doc.properties.find(s_.view.shownProperty), s_.view.filter, s_.cells_k))
        return;
    s_.colouredFrom = source;
    uploadCellColours();
}

void SceneRenderer::buildLastWell()
{
    // The corner index is built once per grid: importing many wells searches the same corners.
    if (s_.document.grid.loaded && (!wellCorners_ || !wellCorners_->describes(s_.document.grid)))
        wellCorners_ = std::make_unique<ModelSurfaceCorners>(s_.document.grid);
    const WellSet& wells = s_.document.wells;
    if (wells.empty()) return;
    sendTrace(log_,
              buildWellGeometry(wells.items.back(), s_, s_.document.grid,
                                s_.document.grid.loaded ? wellCorners_.get() : nullptr, s_.view.wells.lineColour));
}

void SceneRenderer::colourWellLines() { recolourWells(s_, s_.view.wells.lineColour); }

void SceneRenderer::buildReferencePlane() { buildXYPlane(s_.document.grid, s_); }

}  // namespace morvane
