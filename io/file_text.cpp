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

namespace {

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

}  // namespace

bool readWholeFile(const std::filesystem::path& path, FileText& out, bool mapLarge)
{
    out = FileText();
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return false;
    const auto size = std::filesystem::file_size(path, error);
    if (error) return false;
    if (mapLarge && size >= kMapFilesFrom) {
        std::unique_ptr<MappedFile> mapped = MappedFile::open(path);
        // Text that must be turned is read as usual instead.
        if (mapped && !needsTurning(std::string_view(mapped->data(), mapped->size()))) {
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
    out.size_ = static_cast<std::size_t>(size);
    if (startsAsUtf16(std::string_view(bytes.get(), out.size_))) {
        const std::string text = utf8FromUtf16(std::string_view(bytes.get(), out.size_));
        bytes.reset(new (std::nothrow) char[text.size() + 1]);
        if (!bytes) return false;
        std::copy(text.begin(), text.end(), bytes.get());
        out.size_ = text.size();
    }
    returnsToLineFeeds(bytes.get(), out.size_);
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
    returnsToLineFeeds(out.data(), out.size());
    return true;
}

}  // namespace morvane
