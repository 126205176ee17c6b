// Scene operations for command tests: records the calls a command makes, each with the progress at that moment
// ("recolour PORO @90"); everything that only draws does nothing.
#pragma once

#include <string>
#include <vector>

#include "core/feedback.h"
#include "scene/scene_operations.h"
#include "view/view_state.h"

namespace morvane::test {

class RecordedSceneOperations : public SceneOperations {
public:
    explicit RecordedSceneOperations(Feedback& fb) : feedback(fb) {}

    GridBuildOutcome buildGridMeshes() override
    {
        call("buildGridMeshes");
        return GridBuildOutcome::Built;
    }
    void uploadGrid() override { call("uploadGrid"); }
    // The property that colours the cells when the command asks for a recolour ("" for the bare grid), and the
    // filter then; set `shown` and `filter` to what the recorder should report.
    void recolourCells() override
    {
        std::string what = "recolour";
        if (shown && !shown->empty()) what += " " + *shown;
        if (filter && filter->keep == PropertyFilterSetting::Keep::Cut) what += " cut " + std::to_string(filter->cut);
        call(what);
    }
    void uploadCellColours() override { call("uploadCellColours"); }
    void buildReferencePlane() override {}
    void uploadReferencePlane() override {}
    void uploadFixedBuffers() override {}
    void buildLastWell() override { call("buildLastWell"); }
    void colourWellLines() override { call("colourWellLines"); }
    void uploadWells() override { call("uploadWells"); }
    void uploadWellSection() override {}
    void uploadSectionPlane() override {}
    void uploadProductionDiscs() override { call("uploadProductionDiscs"); }
    void uploadContacts() override { call("uploadContacts"); }
    void resizeView(int, int) override {}
    void applyBackground() override {}
    void renderFrame() override {}
    void appendLogLine(const std::string&, LogColour) override {}

    void call(const std::string& what) { calls.push_back(what + " @" + std::to_string(feedback.progress())); }

    Feedback& feedback;
    std::vector<std::string> calls;
    const std::string* shown = nullptr;             // the view state's shown property, when the test gives it
    const PropertyFilterSetting* filter = nullptr;  // the view state's filter, when the test gives it
};

}  // namespace morvane::test
