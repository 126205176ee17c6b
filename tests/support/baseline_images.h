// Comparing a rendered picture with its stored baseline, tests/render/baselines/<name>.png.
//
// Two pictures match when every channel of every pixel is within `channelTolerance`, except for at most
// `allowedShare` of the pixels: llvmpipe rounds edges and blends a little differently from one CPU to the next, a
// lost layer or a wrong colour changes far more. On a mismatch the actual picture and a difference image (pixels
// beyond the tolerance in red over a dimmed copy of the actual picture) are written next to the build, under
// bin/render_test_pictures, and named in the failure message; nothing is written when the pictures match.
//
// To refresh the baselines after an intended change of the picture, run the render tests with
// MORVANE_UPDATE_BASELINES=1: each compared picture is written as its new baseline (look at them before committing).
#pragma once

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>
#include <QImage>

#include "render/offscreen_renderer.h"
#include "tests/support/render_fixtures.h"

namespace morvane::testing {

struct BaselineTolerance {
    int channelTolerance = 12;
    double allowedShare = 0.005;
};

inline std::filesystem::path baselinePath(const std::string& name)
{
    return std::filesystem::path(MORVANE_BASELINE_DIR) / (name + ".png");
}

inline bool updatingBaselines()
{
    const char* value = std::getenv("MORVANE_UPDATE_BASELINES");
    return value != nullptr && std::strcmp(value, "1") == 0;
}

inline ::testing::AssertionResult matchesBaseline(const RgbaImage& actual, const std::string& name,
                                                  BaselineTolerance tolerance = {})
{
    const std::filesystem::path baseline = baselinePath(name);
    if (updatingBaselines()) {
        std::filesystem::create_directories(baseline.parent_path());
        if (!actual.save(baseline.string())) return ::testing::AssertionFailure() << "cannot write " << baseline;
        return ::testing::AssertionSuccess() << "baseline written: " << baseline;
    }

    const auto failure = [&](const std::string& why, const QImage* diff) {
        const std::string actualPath = picturePath(name + ".actual.png");
        actual.save(actualPath);
        ::testing::AssertionResult result = ::testing::AssertionFailure();
        result << name << ": " << why << "\n  actual picture: " << actualPath;
        if (diff) {
            const std::string diffPath = picturePath(name + ".diff.png");
            diff->save(QString::fromStdString(diffPath));
            result << "\n  difference:     " << diffPath;
        }
        result << "\n  baseline:       " << baseline.string()
               << "\n  (after an intended change: MORVANE_UPDATE_BASELINES=1 rewrites the baselines)";
        return result;
    };

    const QImage stored = QImage(QString::fromStdString(baseline.string())).convertToFormat(QImage::Format_RGBA8888);
    if (stored.isNull()) return failure("no baseline picture", nullptr);
    if (stored.width() != actual.width || stored.height() != actual.height)
        return failure("the baseline is " + std::to_string(stored.width()) + " x " + std::to_string(stored.height()) +
                           ", the picture " + std::to_string(actual.width) + " x " + std::to_string(actual.height),
                       nullptr);

    QImage diff(actual.width, actual.height, QImage::Format_RGB32);
    long differing = 0;
    int worst = 0;
    for (int y = 0; y < actual.height; ++y) {
        const uchar* row = stored.constScanLine(y);
        for (int x = 0; x < actual.width; ++x) {
            const auto p = actual.at(x, y);
            int largest = 0;
            for (int c = 0; c < 3; ++c)
                largest = std::max(largest, std::abs(static_cast<int>(p[static_cast<std::size_t>(c)]) -
                                                     static_cast<int>(row[x * 4 + c])));
            worst = std::max(worst, largest);
            if (largest > tolerance.channelTolerance) {
                ++differing;
                diff.setPixel(x, y, qRgb(255, 0, 0));
            } else {
                diff.setPixel(x, y, qRgb(p[0] / 3, p[1] / 3, p[2] / 3));
            }
        }
    }
    const long allowed = static_cast<long>(tolerance.allowedShare * actual.width * actual.height);
    if (differing <= allowed) return ::testing::AssertionSuccess();
    return failure(std::to_string(differing) + " pixels differ by more than " +
                       std::to_string(tolerance.channelTolerance) + " in a channel (at most " +
                       std::to_string(allowed) + " may; the largest difference is " + std::to_string(worst) + ")",
                   &diff);
}

}  // namespace morvane::testing
