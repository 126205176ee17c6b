#include "render/resource_files.h"

#include <system_error>

namespace morvane {

std::vector<std::filesystem::path> resourceDirsBeside(const std::filesystem::path& exe)
{
    const std::filesystem::path folder = exe.parent_path();
    return {folder, folder.parent_path() / "share" / "morvane"};
}

std::vector<std::filesystem::path> defaultResourceDirs()
{
    std::vector<std::filesystem::path> dirs;
    std::error_code ec;
    const auto cwd = std::filesystem::current_path(ec);
    if (!ec) dirs.push_back(cwd);
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec && exe.has_parent_path())
        for (const auto& dir : resourceDirsBeside(exe))
            if (dir != cwd) dirs.push_back(dir);
    return dirs;
}

std::optional<std::filesystem::path> findResource(const std::string& relative,
                                                  const std::vector<std::filesystem::path>& dirs)
{
    for (const auto& dir : dirs) {
        std::error_code ec;
        const auto candidate = dir / relative;
        if (std::filesystem::is_regular_file(candidate, ec)) return candidate;
    }
    return std::nullopt;
}

}  // namespace morvane
