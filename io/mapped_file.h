// A large file mapped into memory read-only instead of copied: the reader scans the system's cached pages of the
// file directly, so a grid file of gigabytes costs no second copy and no first touch of fresh memory.
//
// A mapped file that shrinks while it is read (another program writes it anew), or whose disk or network share
// fails, would stop the program with a bus error on the next byte read. Those pages are replaced by zeros instead
// and `intact` turns false, so the reader's caller drops what was made of the bytes and tells the user.
#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>

namespace morvane {

class MappedFile {
public:
    // The whole regular file mapped, or nothing when it is empty or cannot be opened or mapped (the caller then
    // reads it the usual way).
    static std::unique_ptr<MappedFile> open(const std::filesystem::path& path);
    // The first `size` bytes of the regular file open at `descriptor` mapped, or nothing; the descriptor stays open
    // and the caller's.
    static std::unique_ptr<MappedFile> map(int descriptor, std::size_t size);
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    const char* data() const { return data_; }
    std::size_t size() const { return size_; }

    // False once a byte of the mapping could not be read and reads as zero.
    bool intact() const;

private:
    MappedFile(char* data, std::size_t size, int slot) : data_(data), size_(size), slot_(slot) {}
    char* data_;
    std::size_t size_;
    int slot_;  // the mapping's entry among those the bus error handler knows
};

}  // namespace morvane
