#include "io/file_text.h"

#include <fstream>
#include <new>
#include <system_error>

#include "io/mapped_file.h"

namespace morvane {

FileText::FileText() = default;
FileText::FileText(FileText&&) noexcept = default;
FileText& FileText::operator=(FileText&&) noexcept = default;
FileText::~FileText() = default;

bool FileText::intact() const { return !mapped_ || mapped_->intact(); }

bool readWholeFile(const std::filesystem::path& path, FileText& out, bool mapLarge)
{
    out = FileText();
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return false;
    const auto size = std::filesystem::file_size(path, error);
    if (error) return false;
    if (mapLarge && size >= kMapFilesFrom) {
        if (std::unique_ptr<MappedFile> mapped = MappedFile::open(path)) {
            out.data_ = mapped->data();
            out.size_ = mapped->size();
            out.mapped_ = std::move(mapped);
            return true;
        }
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::unique_ptr<char[]> bytes(new (std::nothrow) char[static_cast<std::size_t>(size) + 1]);
    if (!bytes) return false;
    in.read(bytes.get(), static_cast<std::streamsize>(size));
    if (static_cast<std::uintmax_t>(in.gcount()) != size) return false;
    out.bytes_ = std::move(bytes);
    out.data_ = out.bytes_.get();
    out.size_ = static_cast<std::size_t>(size);
    return true;
}

bool readFileStart(const std::filesystem::path& path, std::size_t limit, std::string& out)
{
    out.clear();
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return false;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    out.resize(limit);
    in.read(out.data(), static_cast<std::streamsize>(limit));
    if (in.bad()) {
        out.clear();
        return false;
    }
    out.resize(static_cast<std::size_t>(in.gcount()));
    return true;
}

}  // namespace morvane
