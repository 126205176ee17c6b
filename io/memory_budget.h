// What the process may still allocate, and what an import of a grid needs, so that a grid too large for the memory
// at hand is refused with the figures before its arrays are allocated, instead of failing halfway.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace morvane {

// Bytes the process can still allocate: the least of the system's available memory (with free swap), what is left
// under the limits of its address space and data size, and what is left of its control group's memory limit.
// Nothing when none of them can be told.
std::optional<std::uint64_t> availableMemory();

// Bytes an import of a grid of `cells` cells on `pillars` pillars holds at its peak, from the read of the corner
// depths to the upload of the vertices and index lists: the arrays as read, the vertices and index lists built from
// them and their copy for drawing. `mappedBytes` of mapped files count against an address-space limit, so they are
// counted too.
std::uint64_t gridImportNeed(std::uint64_t cells, std::uint64_t pillars, std::uint64_t mappedBytes = 0);

// Bytes per value at the peak of a read whose counts are not declared (a grid without SPECGRID): the value as read
// and the vertices built from it.
inline constexpr std::uint64_t kBytesPerUndeclaredValue = 64;

// A size for people: "4.1 GB", "820 MB", "12 KB", "512 bytes" (powers of 1024, one decimal below 10).
std::string memoryText(std::uint64_t bytes);

}  // namespace morvane
