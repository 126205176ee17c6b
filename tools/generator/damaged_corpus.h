// A corpus of damaged files made from the generated real-shaped ones: a grid in one file and one in the include
// layout, a property file, deviation files and a production file, each cut, with bytes flipped, lines deleted or
// doubled, keywords swapped or renamed, numbers glued, absurd counts and values, binary garbage, and special files
// (a folder, a named pipe, a symbolic link loop, a device, an unreadable file) in their place.
//
// Every variant gets a folder of its own holding the whole set of files the reader needs, one of them damaged, so a
// reader run on one variant never sees another's damage. A manifest lists them for the corpus check.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace morvane::gen {

struct DamagedVariant {
    std::string kind;              // "grid", "include", "property", "well" or "production"
    std::string id;                // unique, also the name of the variant's folder
    std::string damage;            // cut, flip, delete-line, double-line, keyword, glued, count, value, garbage, empty,
                                   // special, include, or "none" for the undamaged file every kind starts from
    std::filesystem::path target;  // the file the reader is given (the main file of an include layout)
    std::filesystem::path damaged;  // the file that was damaged (the target or one it includes)
    std::uint64_t cells = 0;        // cells and pillars of the grid the variant declares, for the memory bound
    std::uint64_t pillars = 0;
};

// Writes the corpus under `folder` (emptied first): the variants' folders and manifest.tsv, one line per variant
// with the fields above separated by tabs. Special files that cannot be made (an unreadable file for root) are left
// out. Returns the variants written.
std::vector<DamagedVariant> writeDamagedCorpus(const std::filesystem::path& folder);

// The manifest read back.
std::vector<DamagedVariant> readDamagedManifest(const std::filesystem::path& folder);

}  // namespace morvane::gen
