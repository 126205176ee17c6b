#include "io/mapped_file.h"

#include <array>
#include <atomic>
#include <csignal>
#include <cstdint>
#include <mutex>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace morvane {

namespace {

// The live mappings the bus error handler may repair; a slot is free while its `begin` is 0. The handler only
// reads the atomics; claiming and freeing slots happen under `slotsMutex`.
struct Guarded {
    std::atomic<std::uintptr_t> begin{0};
    std::atomic<std::uintptr_t> end{0};
    std::atomic<bool> damaged{false};
};
constexpr int kSlots = 32;
std::array<Guarded, kSlots> guarded;
std::mutex slotsMutex;
std::uintptr_t pageBytes = 4096;
struct sigaction previousBusHandler;

// A bus error inside a guarded mapping: the mapping from that page on becomes zeros (what follows a lost page is
// lost too when the file shrank, and the read is dropped anyway) and is marked damaged; the read that faulted runs
// again and reads zeros. Any other bus error goes where it went before.
void onBusError(int signal, siginfo_t* info, void* context)
{
    const auto at = reinterpret_cast<std::uintptr_t>(info->si_addr);
    for (Guarded& g : guarded) {
        const std::uintptr_t begin = g.begin.load();
        const std::uintptr_t end = g.end.load();
        if (begin == 0 || at < begin || at >= end) continue;
        const std::uintptr_t page = at & ~(pageBytes - 1);
        const std::uintptr_t rest = ((end + pageBytes - 1) & ~(pageBytes - 1)) - page;
        if (mmap(reinterpret_cast<void*>(page), rest, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0) !=
            MAP_FAILED) {
            g.damaged = true;
            return;
        }
    }
    if ((previousBusHandler.sa_flags & SA_SIGINFO) != 0 && previousBusHandler.sa_sigaction != nullptr) {
        previousBusHandler.sa_sigaction(signal, info, context);
    } else if (previousBusHandler.sa_handler != SIG_DFL && previousBusHandler.sa_handler != SIG_IGN) {
        previousBusHandler.sa_handler(signal);
    } else {
        // The fault repeats on return and ends the program, as it would have without this handler.
        sigaction(SIGBUS, &previousBusHandler, nullptr);
    }
}

bool busErrorsGuarded()
{
    static const bool installed = [] {
        const long page = sysconf(_SC_PAGESIZE);
        if (page > 0) pageBytes = static_cast<std::uintptr_t>(page);
        struct sigaction action {};
        action.sa_sigaction = onBusError;
        action.sa_flags = SA_SIGINFO;
        sigemptyset(&action.sa_mask);
        return sigaction(SIGBUS, &action, &previousBusHandler) == 0;
    }();
    return installed;
}

int claimSlot(const char* data, std::size_t size)
{
    const std::lock_guard<std::mutex> lock(slotsMutex);
    for (int n = 0; n < kSlots; ++n) {
        Guarded& g = guarded[static_cast<std::size_t>(n)];
        if (g.begin.load() != 0) continue;
        g.damaged = false;
        g.end = reinterpret_cast<std::uintptr_t>(data) + size;
        g.begin = reinterpret_cast<std::uintptr_t>(data);
        return n;
    }
    return -1;
}

}  // namespace

std::unique_ptr<MappedFile> MappedFile::open(const std::filesystem::path& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat info {};
    std::unique_ptr<MappedFile> mapped;
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0)
        mapped = map(fd, static_cast<std::size_t>(info.st_size));
    close(fd);
    return mapped;
}

std::unique_ptr<MappedFile> MappedFile::map(int descriptor, std::size_t size)
{
    if (size == 0 || !busErrorsGuarded()) return nullptr;
    void* mapped = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, descriptor, 0);
    if (mapped == MAP_FAILED) return nullptr;
    char* data = static_cast<char*>(mapped);
    const int slot = claimSlot(data, size);
    if (slot < 0) {
        munmap(mapped, size);
        return nullptr;
    }
    // The scan reads the whole file once, front to back in each piece: have the system read ahead.
    madvise(mapped, size, MADV_WILLNEED);
    return std::unique_ptr<MappedFile>(new MappedFile(data, size, slot));
}

MappedFile::~MappedFile()
{
    {
        const std::lock_guard<std::mutex> lock(slotsMutex);
        Guarded& g = guarded[static_cast<std::size_t>(slot_)];
        g.begin = 0;
        g.end = 0;
    }
    munmap(data_, size_);
}

bool MappedFile::intact() const { return !guarded[static_cast<std::size_t>(slot_)].damaged.load(); }

}  // namespace morvane
