#include "io/memory_budget.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>

#include <sys/resource.h>
#include <unistd.h>

namespace morvane {

namespace {

constexpr std::uint64_t kNone = std::numeric_limits<std::uint64_t>::max();

// A "Name:  1234 kB" line of /proc/meminfo, in bytes.
std::uint64_t meminfoField(const std::string& name)
{
    std::ifstream in("/proc/meminfo");
    std::string key, unit;
    std::uint64_t value = 0;
    while (in >> key >> value) {
        std::getline(in, unit);
        if (key == name + ":") return value * 1024;
    }
    return kNone;
}

// A number alone in a file ("max" or absent: none).
std::uint64_t numberInFile(const char* path)
{
    std::ifstream in(path);
    std::uint64_t value = 0;
    if (!(in >> value)) return kNone;
    return value;
}

// Virtual size (field 0) or data size (field 5) of the process, in bytes, from /proc/self/statm.
std::uint64_t ownPages(int field)
{
    std::ifstream in("/proc/self/statm");
    std::uint64_t value = 0;
    for (int n = 0; n <= field; ++n)
        if (!(in >> value)) return kNone;
    const long page = sysconf(_SC_PAGESIZE);
    return value * static_cast<std::uint64_t>(page > 0 ? page : 4096);
}

// What is left under a resource limit, given what the process uses of it.
std::uint64_t leftUnder(int resource, std::uint64_t used)
{
    struct rlimit limit {};
    if (getrlimit(resource, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY || used == kNone) return kNone;
    const auto cap = static_cast<std::uint64_t>(limit.rlim_cur);
    return cap > used ? cap - used : 0;
}

// What is left of the control group's memory limit (version 2, then version 1 of the interface).
std::uint64_t leftInGroup()
{
    for (const auto& [limitFile, usageFile] :
         {std::pair{"/sys/fs/cgroup/memory.max", "/sys/fs/cgroup/memory.current"},
          std::pair{"/sys/fs/cgroup/memory/memory.limit_in_bytes", "/sys/fs/cgroup/memory/memory.usage_in_bytes"}}) {
        const std::uint64_t limit = numberInFile(limitFile);
        const std::uint64_t usage = numberInFile(usageFile);
        // A limit near 2^63 is no limit at all.
        if (limit == kNone || usage == kNone || limit >= (std::uint64_t{1} << 60)) continue;
        return limit > usage ? limit - usage : 0;
    }
    return kNone;
}

}  // namespace

std::optional<std::uint64_t> availableMemory()
{
    std::uint64_t available = meminfoField("MemAvailable");
    const std::uint64_t swap = meminfoField("SwapFree");
    if (available != kNone && swap != kNone) available += swap;
    available =
        std::min({available, leftUnder(RLIMIT_AS, ownPages(0)), leftUnder(RLIMIT_DATA, ownPages(5)), leftInGroup()});
    if (available == kNone) return std::nullopt;
    return available;
}

std::uint64_t gridImportNeed(std::uint64_t cells, std::uint64_t pillars, std::uint64_t mappedBytes)
{
    // Per cell: 8 corner depths as read (64 bytes) and the active flag; 8 vertices of 6 floats (192 bytes) built
    // from them, and their copy for drawing; the index lists of the faces and edges drawn.
    constexpr std::uint64_t kPerCell = 64 + 1 + 192 + 192 + 96;
    // Per pillar: six coordinates and the four of its top and bottom x and y.
    constexpr std::uint64_t kPerPillar = 80;
    const double need = static_cast<double>(cells) * kPerCell + static_cast<double>(pillars) * kPerPillar +
                        static_cast<double>(mappedBytes);
    return need >= 1.8e19 ? std::numeric_limits<std::uint64_t>::max() : static_cast<std::uint64_t>(need);
}

std::string memoryText(std::uint64_t bytes)
{
    constexpr const char* kUnits[] = {"KB", "MB", "GB", "TB", "PB", "EB"};
    if (bytes < 1024) return std::to_string(bytes) + " bytes";
    double value = static_cast<double>(bytes) / 1024;
    int unit = 0;
    while (value >= 1024 && unit < 5) {
        value /= 1024;
        ++unit;
    }
    char text[32];
    std::snprintf(text, sizeof text, value < 10 ? "%.1f %s" : "%.0f %s", value, kUnits[unit]);
    return text;
}

}  // namespace morvane
