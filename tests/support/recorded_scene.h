// Scene operations for command tests: records the calls a command makes, each with the progress at that moment
// ("recolour PORO @90"); everything that only draws does nothing.
#pragma once

#include <string>
#include <vector>

#include "core/feedback.h"
#include "scene/scene_operations.h"

namespace morvane::test {

class RecordedSceneOperations : public SceneOperations {
public:
    explicit RecordedSceneOperations(Feedback& fb) : feedback(fb) {}

    GridBuildOutcome initGRID() override
    {
        call("initGRID");
        return GridBuildOutcome::Built;
    }
    void bindGridBuffers() override { call("bindGridBuffers"); }
    // The property that colours the cells when the command asks for a recolour ("" for the bare grid), and the
    // filter then; set `shown` and `filter` to what the recorder should report.
    void recolourCells() override
    {
        std::string what = "recolour";
        if (shown && !shown->empty()) what += " " + *shown;
        if (filterCut && *filterCut != 0) what += " cut " + std::to_string(*filterCut);
        call(what);
    }
    void bindPropBuffers() override { call("bindPropBuffers"); }
    void initXY__PLANE() override {}
    void bindXYplaneBuffers() override {}
    void bindBuffers() override {}
    void initWELL() override { call("initWELL"); }
    void initALL_WELLS() override { call("initALL_WELLS"); }
    void bindWellBuffers() override { call("bindWellBuffers"); }
    void bindIntersectBuffers() override {}
    void bindIntersectPlaneBuffers() override {}
    void bindCircleDiagramBuffers() override { call("bindCircleDiagramBuffers"); }
    void bindContacts() override { call("bindContacts"); }
    void ReSizeGLScene(int, int) override {}
    void changeBackgroundColor() override {}
    void Render() override {}
    void AppendRichText(const std::string&, LogColour, bool) override {}

    void call(const std::string& what) { calls.push_back(what + " @" + std::to_string(feedback.progress())); }

    Feedback& feedback;
    std::vector<std::string> calls;
    const std::string* shown = nullptr;  // the view state's shown property, when the test gives it
    const float* filterCut = nullptr;
};

}  // namespace morvane::test
