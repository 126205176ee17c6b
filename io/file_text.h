// Reading a whole file into memory in one go: the grid and property files, the included grid parts and the shader
// sources all come through here. The bytes are held once, without the zero fill a std::string would do before the
// read, or, for a large grid file, not copied at all but mapped (io/mapped_file.h). A file in UTF-16 (with its byte
// order mark, as Windows tools save "Unicode" text) is held as UTF-8, and one whose lines end in a carriage return
// alone (old Macintosh text) with line feeds instead, so that every reader sees the same text.
//
// Only regular files are read. What stands at a path is looked at before it is opened, and again on the opened
// descriptor: a folder, a named pipe (FIFO), a device, a socket or a chain of symbolic links that leads round in a
// loop is named as such and never read, since reading a pipe or a terminal would wait for ever and reading a device
// may change it.
#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "core/localisation.h"

namespace morvane {

// Why a file could not be read.
enum class FileProblem {
    None,
    Missing,       // nothing at the path, or a folder on the way is missing
    Folder,        // a directory
    Pipe,          // a named pipe (FIFO)
    Device,        // a character or block device
    Socket,        // a socket, or anything else that is not a regular file
    LinkLoop,      // symbolic links that lead round in a loop
    NoPermission,  // the user may not read it
    Unreadable,    // the disk failed, or the file shrank, while it was read
    OutOfMemory,   // its bytes do not fit in memory
};

// What stands at `path`, judged without opening it: None for a regular file (which may still fail to open).
FileProblem fileProblemAt(const std::filesystem::path& path);

// The sentence that tells the user why the file at `path` was not read, naming it.
LocalMessage fileProblemText(FileProblem problem, const std::string& path);

class MappedFile;

class FileText {
public:
    FileText();
    FileText(FileText&&) noexcept;
    FileText& operator=(FileText&&) noexcept;
    ~FileText();

    std::string_view view() const { return {data_, size_}; }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }

    // False when the file was mapped and shrank, or its disk failed, while its bytes were read: some of them then
    // read as zeros, and what was made of them must be dropped. Always true for bytes read into memory.
    bool intact() const;

private:
    friend bool readWholeFile(const std::filesystem::path& path, FileText& out, bool mapLarge, FileProblem* problem);
    std::unique_ptr<char[]> bytes_;
    std::unique_ptr<MappedFile> mapped_;
    const char* data_ = nullptr;
    std::size_t size_ = 0;
};

// Files from this size on are mapped rather than read when the caller allows it.
inline constexpr std::size_t kMapFilesFrom = std::size_t{16} << 20;

// The whole file into `out`. False, with `out` emptied and the reason in `problem` (when given), when the path is
// not a regular file, cannot be opened, is shorter than its size said, or does not fit in memory. With `mapLarge` a
// file of kMapFilesFrom bytes or more is mapped instead of copied (read as usual when it cannot be mapped); the
// caller then checks `intact` after using the bytes.
bool readWholeFile(const std::filesystem::path& path, FileText& out, bool mapLarge = false,
                   FileProblem* problem = nullptr);

// The first `limit` bytes of a regular file (all of a shorter one) into `out`, to tell what kind of file it is.
// False, with `out` emptied and the reason in `problem` (when given), when the path is not a regular file or cannot
// be read.
bool readFileStart(const std::filesystem::path& path, std::size_t limit, std::string& out,
                   FileProblem* problem = nullptr);

}  // namespace morvane
