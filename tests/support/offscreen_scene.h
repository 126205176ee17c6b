// An offscreen view for render tests: a model state with its own EGL renderer, grids and properties put in as the
// imports leave them, frames read back, and the named frames of a failed test written out for a look.
#pragma once

#include <iostream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/render_fixtures.h"

namespace morvane::testing {

// A model state with an offscreen view of W x H that has gone through startGL, as the program starts.
class OffscreenScene {
public:
    explicit OffscreenScene(int width = 512, int height = 384) : width_(width), height_(height)
    {
        view_ = OffscreenRenderer::create(state_, width, height, &error_);
    }
    ~OffscreenScene()
    {
        if (!::testing::Test::HasFailure()) return;
        for (const auto& [name, image] : named_) {
            image.save(picturePath(name));
            std::cout << "picture of the failed test: " << picturePath(name) << '\n';
        }
    }
    OffscreenScene(const OffscreenScene&) = delete;
    OffscreenScene& operator=(const OffscreenScene&) = delete;
    bool ok() const { return view_ != nullptr; }
    const std::string& error() const { return error_; }
    ModelState& s() { return state_; }
    OffscreenRenderer& view() { return *view_; }
    int width() const { return width_; }
    int height() const { return height_; }

    // A generated grid of nx x ny x nz cells, built and uploaded as the grid import does.
    void loadGrid(int nx, int ny, int nz)
    {
        putGeneratedGrid(state_, smallGrid(nx, ny, nz));
        view_->buildGridMeshes();
        view_->uploadGrid();
    }
    void colour(const std::vector<double>& values, int type = 5)
    {
        loadContinuousProperty(state_, *view_, values, type);
    }

    // A trajectory (per station MD, X, Y, Z in file units) loaded as the well import loads it: the well's parts
    // built against the grid and uploaded.
    void loadWell(const std::string& name, std::vector<std::vector<float>> points)
    {
        state_.document.wells.add(Well{name, std::move(points)});
        view_->buildLastWell();
        view_->uploadWells();
    }

    // One frame. A named frame is kept, and written under picturePath when the test fails.
    RgbaImage frame(const std::string& pictureName = {})
    {
        RgbaImage image = view_->frame();
        if (!pictureName.empty()) named_.emplace_back(pictureName, image);
        return image;
    }
    // Pixel of a model point under the last frame's matrices.
    glm::ivec2 pixelOf(const glm::vec3& p) const
    {
        const glm::vec2 q = projectToPixel(state_, p, width_, height_);
        return {static_cast<int>(std::floor(q.x)), static_cast<int>(std::floor(q.y))};
    }
    glm::ivec2 topCentrePixel(int k, int i, int j) const { return pixelOf(topFaceCentre(state_, k, i, j)); }

private:
    ModelState state_;
    std::string error_;
    std::unique_ptr<OffscreenRenderer> view_;
    int width_, height_;
    std::vector<std::pair<std::string, RgbaImage>> named_;
};

}  // namespace morvane::testing
