// Linked into every render and window test: GL debug output is on for every context the test makes (asked for
// before main, so the window tests' surface format has it too), and the run fails when the driver reported a GL
// error, naming the last few.
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "render/gl_debug.h"

namespace {

class GlErrorCheck final : public ::testing::Environment {
public:
    void SetUp() override { before_ = morvane::glErrorCount(); }
    void TearDown() override
    {
        std::string messages;
        for (const std::string& m : morvane::recentGlErrors()) messages += "\n  " + m;
        EXPECT_EQ(morvane::glErrorCount() - before_, 0u) << "GL errors reported by the driver:" << messages;
    }

private:
    std::size_t before_ = 0;
};

[[maybe_unused]] const bool debugOutputAsked = ::setenv("MORVANE_GL_DEBUG", "1", 1) == 0;
[[maybe_unused]] ::testing::Environment* const registered = ::testing::AddGlobalTestEnvironment(new GlErrorCheck);

}  // namespace
