#include "io/file_text.h"

#include <algorithm>
#include <cerrno>
#include <new>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "io/mapped_file.h"
#include "io/text_codec.h"

namespace morvane {

FileText::FileText() = default;
FileText::FileText(FileText&&) noexcept = default;
FileText& FileText::operator=(FileText&&) noexcept = default;
FileText::~FileText() = default;

bool FileText::intact() const { return !mapped_ || mapped_->intact(); }

namespace {

constexpr TextPair kMissingText{"There is no file {}.", "Файл {} не найден."};
constexpr TextPair kFolderText{"{} is a folder, not a file.", "{} — это папка, а не файл."};
constexpr TextPair kPipeText{"{} is a named pipe (FIFO), not a file; it is not read.",
                             "{} — это именованный канал (FIFO), а не файл; он не читается."};
constexpr TextPair kDeviceText{"{} is a device, not a file; it is not read.",
                               "{} — это устройство, а не файл; оно не читается."};
constexpr TextPair kSocketText{"{} is not a regular file; it is not read.",
                               "{} — это не обычный файл; он не читается."};
constexpr TextPair kLinkLoopText{"{} is a symbolic link that leads round in a loop.",
                                 "{} — символическая ссылка, которая ведёт по кругу."};
constexpr TextPair kNoPermissionText{"{} cannot be read: permission denied.",
                                     "Файл {} нельзя прочитать: нет прав доступа."};
constexpr TextPair kUnreadableText{"{} could not be read from its disk.", "Файл {} не удалось прочитать с диска."};
constexpr TextPair kOutOfMemoryText{"{} does not fit in the memory available.",
                                    "Файл {} не помещается в доступную память."};

FileProblem problemOfError(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
        return FileProblem::Missing;
    case ELOOP:
        return FileProblem::LinkLoop;
    case EACCES:
    case EPERM:
        return FileProblem::NoPermission;
    case ENOMEM:
        return FileProblem::OutOfMemory;
    case EISDIR:
        return FileProblem::Folder;
    default:
        return FileProblem::Unreadable;
    }
}

FileProblem problemOfMode(mode_t mode)
{
    if (S_ISREG(mode)) return FileProblem::None;
    if (S_ISDIR(mode)) return FileProblem::Folder;
    if (S_ISFIFO(mode)) return FileProblem::Pipe;
    if (S_ISCHR(mode) || S_ISBLK(mode)) return FileProblem::Device;
    return FileProblem::Socket;
}

// A regular file opened for reading, or the reason there is none. The path is looked at first, so that a pipe or
// a device is not even opened; the descriptor is looked at again, since something else may stand at the path by
// the time it is opened. A pipe opened without waiting for a writer is then closed unread.
class OpenFile {
public:
    explicit OpenFile(const std::filesystem::path& path)
    {
        problem_ = fileProblemAt(path);
        if (problem_ != FileProblem::None) return;
        fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd_ < 0) {
            problem_ = problemOfError(errno);
            return;
        }
        struct stat info {};
        if (fstat(fd_, &info) != 0) {
            problem_ = problemOfError(errno);
        } else if ((problem_ = problemOfMode(info.st_mode)) == FileProblem::None) {
            size_ = static_cast<std::size_t>(info.st_size);
            // Reads of a regular file never wait; the flag only mattered for opening.
            fcntl(fd_, F_SETFL, fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
            return;
        }
        close(fd_);
        fd_ = -1;
    }
    ~OpenFile()
    {
        if (fd_ >= 0) close(fd_);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    FileProblem problem() const { return problem_; }
    int descriptor() const { return fd_; }
    std::size_t size() const { return size_; }

    // Up to `count` bytes from the start into `to`; the number read, or nothing when the disk failed.
    bool read(char* to, std::size_t count, std::size_t& got) const
    {
        got = 0;
        while (got < count) {
            const ssize_t n = ::read(fd_, to + got, count - got);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return false;
            if (n == 0) break;
            got += static_cast<std::size_t>(n);
        }
        return true;
    }

private:
    int fd_ = -1;
    std::size_t size_ = 0;
    FileProblem problem_ = FileProblem::None;
};

// Lines ended by a carriage return alone (old Macintosh text, Excel's "CSV (Macintosh)"): the first line ends in a
// return that no line feed follows. The readers take line feeds for line ends.
bool returnsEndTheLines(std::string_view text)
{
    const std::size_t end = text.find_first_of("\r\n");
    return end != std::string_view::npos && text[end] == '\r' && (end + 1 == text.size() || text[end + 1] != '\n');
}

// Whether the text must be turned into UTF-8 with line feeds before the readers see it.
bool needsTurning(std::string_view text) { return startsAsUtf16(text) || returnsEndTheLines(text); }

void returnsToLineFeeds(char* text, std::size_t size)
{
    if (returnsEndTheLines(std::string_view(text, size))) std::replace(text, text + size, '\r', '\n');
}

bool fail(FileProblem why, FileProblem* problem)
{
    if (problem) *problem = why;
    return false;
}

}  // namespace

FileProblem fileProblemAt(const std::filesystem::path& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return problemOfError(errno);
    return problemOfMode(info.st_mode);
}

LocalMessage fileProblemText(FileProblem problem, const std::string& path)
{
    switch (problem) {
    case FileProblem::None:
        break;
    case FileProblem::Missing:
        return fillIn(kMissingText, {path});
    case FileProblem::Folder:
        return fillIn(kFolderText, {path});
    case FileProblem::Pipe:
        return fillIn(kPipeText, {path});
    case FileProblem::Device:
        return fillIn(kDeviceText, {path});
    case FileProblem::Socket:
        return fillIn(kSocketText, {path});
    case FileProblem::LinkLoop:
        return fillIn(kLinkLoopText, {path});
    case FileProblem::NoPermission:
        return fillIn(kNoPermissionText, {path});
    case FileProblem::Unreadable:
        return fillIn(kUnreadableText, {path});
    case FileProblem::OutOfMemory:
        return fillIn(kOutOfMemoryText, {path});
    }
    return {};
}

bool readWholeFile(const std::filesystem::path& path, FileText& out, bool mapLarge, FileProblem* problem)
{
    out = FileText();
    if (problem) *problem = FileProblem::None;
    const OpenFile file(path);
    if (file.problem() != FileProblem::None) return fail(file.problem(), problem);
    const std::size_t size = file.size();
    if (mapLarge && size >= kMapFilesFrom) {
        std::unique_ptr<MappedFile> mapped = MappedFile::map(file.descriptor(), size);
        // Text that must be turned is read as usual instead.
        if (mapped && !needsTurning(std::string_view(mapped->data(), mapped->size()))) {
            out.data_ = mapped->data();
            out.size_ = mapped->size();
            out.mapped_ = std::move(mapped);
            return true;
        }
    }
    std::unique_ptr<char[]> bytes(new (std::nothrow) char[size + 1]);
    if (!bytes) return fail(FileProblem::OutOfMemory, problem);
    std::size_t got = 0;
    if (!file.read(bytes.get(), size, got) || got != size) return fail(FileProblem::Unreadable, problem);
    out.size_ = size;
    if (startsAsUtf16(std::string_view(bytes.get(), out.size_))) {
        try {
            const std::string text = utf8FromUtf16(std::string_view(bytes.get(), out.size_));
            bytes.reset(new char[text.size() + 1]);
            std::copy(text.begin(), text.end(), bytes.get());
            out.size_ = text.size();
        } catch (const std::bad_alloc&) {
            out = FileText();
            return fail(FileProblem::OutOfMemory, problem);
        }
    }
    returnsToLineFeeds(bytes.get(), out.size_);
    out.bytes_ = std::move(bytes);
    out.data_ = out.bytes_.get();
    return true;
}

bool readFileStart(const std::filesystem::path& path, std::size_t limit, std::string& out, FileProblem* problem)
{
    out.clear();
    if (problem) *problem = FileProblem::None;
    const OpenFile file(path);
    if (file.problem() != FileProblem::None) return fail(file.problem(), problem);
    out.resize(std::min(limit, file.size()));
    std::size_t got = 0;
    if (!file.read(out.data(), out.size(), got)) {
        out.clear();
        return fail(FileProblem::Unreadable, problem);
    }
    out.resize(got);
    if (startsAsUtf16(out)) out = utf8FromUtf16(out);
    returnsToLineFeeds(out.data(), out.size());
    return true;
}

}  // namespace morvane
