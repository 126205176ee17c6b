// Reading a whole file into memory in one go: the grid and property files, the included grid parts and the shader
// sources all come through here. The bytes are held once, without the zero fill a std::string would do before the
// read, which matters for grid files of several gigabytes.
#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace morvane {

class FileText {
public:
    std::string_view view() const { return {bytes_.get(), size_}; }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }

private:
    friend bool readWholeFile(const std::filesystem::path& path, FileText& out);
    std::unique_ptr<char[]> bytes_;
    std::size_t size_ = 0;
};

// The whole file into `out`. False, with `out` emptied, when the path is not a regular file, cannot be opened, is
// shorter than its size said, or does not fit in memory.
bool readWholeFile(const std::filesystem::path& path, FileText& out);

// The first `limit` bytes of a regular file (all of a shorter one) into `out`, to tell what kind of file it is.
// False, with `out` emptied, when the path is not a regular file or cannot be read.
bool readFileStart(const std::filesystem::path& path, std::size_t limit, std::string& out);

}  // namespace morvane
