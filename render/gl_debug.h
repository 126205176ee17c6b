// GL debug output: the driver tells of every GL error as it happens. Asked for with MORVANE_GL_DEBUG=1 in the
// environment (the tests always ask); each error becomes a trace line "GL error: ..." and is counted, so a test
// can fail on any.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace morvane {

// Whether MORVANE_GL_DEBUG=1 is set.
bool glDebugRequested();

// Turns debug output on for the current context when it is requested; false when it is not requested or the
// context offers none. Contexts made while it is requested are debug contexts.
bool enableGlDebugOutput();

// GL errors reported since the program started, over every context, and the last few of their messages.
std::size_t glErrorCount();
std::vector<std::string> recentGlErrors();

}  // namespace morvane
