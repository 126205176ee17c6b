#include "io/file_text.h"

#include <algorithm>
#include <fstream>
#include <new>
#include <system_error>

#include "io/mapped_file.h"
#include "io/text_codec.h"

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
        std::unique_ptr<MappedFile> mapped = MappedFile::open(path);
        // UTF-16 text is converted, so it is read as usual.
        if (mapped && !startsAsUtf16(std::string_view(mapped->data(), std::min<std::size_t>(mapped->size(), 2)))) {
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
    if (startsAsUtf16(std::string_view(bytes.get(), static_cast<std::size_t>(size)))) {
        const std::string text = utf8FromUtf16(std::string_view(bytes.get(), static_cast<std::size_t>(size)));
        bytes.reset(new (std::nothrow) char[text.size() + 1]);
        if (!bytes) return false;
        std::copy(text.begin(), text.end(), bytes.get());
        out.size_ = text.size();
    } else {
        out.size_ = static_cast<std::size_t>(size);
    }
    out.bytes_ = std::move(bytes);
    out.data_ = out.bytes_.get();
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
    if (startsAsUtf16(out)) out = utf8FromUtf16(out);
    return true;
}

}  // namespace morvane
