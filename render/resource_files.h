// Where the program finds its shader and font files and its demo model: the working directory first, then the
// executable's folder (the build folder keeps them beside the programs), then share/morvane beside the executable's
// bin/ folder (an installed program, under any prefix). Nothing is looked up where the program was built.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace morvane {

// The working directory, then the folder of the running executable and its ../share/morvane (when the executable
// can be found).
std::vector<std::filesystem::path> defaultResourceDirs();

// The folders where resources are looked up for the executable at `exe` (a resolved path, as /proc/self/exe gives it),
// after the working directory: the executable's folder, then the installed data folder ../share/morvane.
std::vector<std::filesystem::path> resourceDirsBeside(const std::filesystem::path& exe);

// The first existing regular file `relative` under one of `dirs`, in order.
std::optional<std::filesystem::path> findResource(const std::string& relative,
                                                  const std::vector<std::filesystem::path>& dirs);

}  // namespace morvane
