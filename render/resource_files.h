// Where the program finds its shader and font files: the working directory first, then the executable's folder,
// so that the program runs both from its build folder and when started from elsewhere.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace morvane {

// The working directory, then the folder of the running executable (when it can be found).
std::vector<std::filesystem::path> defaultResourceDirs();

// The first existing regular file `relative` under one of `dirs`, in order.
std::optional<std::filesystem::path> findResource(const std::string& relative,
                                                  const std::vector<std::filesystem::path>& dirs);

}  // namespace morvane
