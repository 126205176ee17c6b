// Scene operations for command tests: records the calls a command makes, each with the progress at that moment
// ("initPROP 2 cont 9 @90"); everything that only draws does nothing.
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
    void initPROP(int index, bool discrete, int type) override
    {
        call("initPROP " + std::to_string(index) + (discrete ? " disc " : " cont ") + std::to_string(type));
    }
    void bindPropBuffers() override { call("bindPropBuffers"); }
    void change_color(int, int, float, float, float) override { call("change_color"); }
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
};

}  // namespace morvane::test
