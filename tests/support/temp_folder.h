// A folder of the test's own for the files it writes, removed when the test ends, so tests running side by side
// (ctest -j) never share a path.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace morvane::testing {

class TempFolder {
public:
    TempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "morvane-test-XXXXXX").string();
        if (::mkdtemp(pattern.data())) path_ = pattern;
    }
    ~TempFolder()
    {
        std::error_code ec;
        if (!path_.empty()) std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path file(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// Writes `text` to `file` as it stands (no line-end translation); the path, or "" when it cannot be written.
inline std::string writeText(const std::filesystem::path& file, const std::string& text)
{
    FILE* f = std::fopen(file.c_str(), "wb");
    if (!f) return {};
    const bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    return std::fclose(f) == 0 && written ? file.string() : std::string();
}

}  // namespace morvane::testing
