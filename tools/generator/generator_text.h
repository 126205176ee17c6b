// Shared by the generator's writers: text output to a string or a file, data lines with n*v runs, rounding as
// written, and the fixed-seed random numbers. Internal to the generator.
#pragma once

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "tools/generator/model_generator.h"

namespace morvane::gen::detail {

inline constexpr int kKeywordColumn = 39;  // exports pad keywords so their "-- Generated" comments line up
inline constexpr const char* kExportedBy = "-- Exported by : morvane-gen (synthetic model)";

// Text that goes either into a string (kept whole) or into a file (flushed in large pieces, so writing a
// multi-gigabyte model needs little memory).
class TextOut {
public:
    TextOut(LineEnd lineEnd, std::FILE* file = nullptr) : lineEnd_(lineEnd), file_(file)
    {
        if (file_) text_.reserve(kFlushSize + 4096);
    }
    ~TextOut() = default;

    void put(std::string_view s)
    {
        text_.append(s);
        maybeFlush();
    }
    void put(char c) { text_.push_back(c); }
    void newline()
    {
        if (lineEnd_ == LineEnd::CRLF) text_.push_back('\r');
        text_.push_back('\n');
        maybeFlush();
    }
    void line(std::string_view s)
    {
        put(s);
        newline();
    }
    // A keyword line as exports write it: the keyword padded to a fixed column, then the generator comment.
    void keywordLine(std::string_view keyword)
    {
        put(keyword);
        for (std::size_t n = keyword.size(); n < kKeywordColumn; ++n) put(' ');
        if (keyword.size() >= kKeywordColumn) put(' ');
        line("-- Generated : Petrel");
    }
    void fixed(double v, int decimals)
    {
        char buf[64];
        if (v == 0.0) v = 0.0;  // no "-0.00"
        auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
        text_.append(buf, r.ptr);
    }
    void integer(long long v)
    {
        char buf[32];
        auto r = std::to_chars(buf, buf + sizeof buf, v);
        text_.append(buf, r.ptr);
    }
    void finish()
    {
        if (file_) flush();
    }
    std::string take() { return std::move(text_); }

private:
    static constexpr std::size_t kFlushSize = 1 << 22;
    void maybeFlush()
    {
        if (file_ && text_.size() >= kFlushSize) flush();
    }
    void flush()
    {
        if (!text_.empty() && std::fwrite(text_.data(), 1, text_.size(), file_) != text_.size())
            throw std::runtime_error("write failed");
        text_.clear();
    }

    LineEnd lineEnd_;
    std::FILE* file_;
    std::string text_;
};

// Writes a stream of numbers as data lines of a fixed number of tokens, folding equal consecutive values into
// n*v tokens when asked. Values must already be rounded to what is written, so equal text means equal value.
class TokenWriter {
public:
    TokenWriter(TextOut& out, int decimals, bool repeats, int maxRun, int perLine, std::string_view indent)
        : out_(out),
          decimals_(decimals),
          repeats_(repeats),
          maxRun_(std::max(1, maxRun)),
          perLine_(std::max(1, perLine)),
          indent_(indent)
    {}

    void add(double v)
    {
        if (!repeats_) {
            emit(v, 1);
            return;
        }
        if (count_ > 0 && v == value_ && count_ < maxRun_) {
            ++count_;
            return;
        }
        if (count_ > 0) emit(value_, count_);
        value_ = v;
        count_ = 1;
    }
    // Ends the data with the terminator on a line of its own.
    void close(std::string_view terminator)
    {
        if (count_ > 0) emit(value_, count_);
        count_ = 0;
        if (onLine_ > 0) out_.newline();
        onLine_ = 0;
        out_.line(terminator);
    }

private:
    void emit(double v, int n)
    {
        if (onLine_ == 0)
            out_.put(indent_);
        else
            out_.put(' ');
        if (n > 1) {
            out_.integer(n);
            out_.put('*');
        }
        if (decimals_ >= 0)
            out_.fixed(v, decimals_);
        else if (v == std::trunc(v))
            out_.integer(static_cast<long long>(v));
        else
            out_.fixed(v, 1);  // a stray decimal among codes
        if (++onLine_ == perLine_) {
            out_.newline();
            onLine_ = 0;
        }
    }

    TextOut& out_;
    int decimals_;  // < 0: whole numbers without a decimal point (codes)
    bool repeats_;
    int maxRun_;
    int perLine_;
    std::string_view indent_;
    double value_ = 0.0;
    int count_ = 0;
    int onLine_ = 0;
};

inline double roundTo(double v, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    // An exact whole number divided by an exact power of ten rounds like the parser reading the decimal text.
    return std::round(v * scale) / scale;
}

// splitmix64: small, fast and identical on every platform.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    double uniform() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }  // [0, 1)

private:
    std::uint64_t state_;
};

inline void checkGrid(const GridOptions& o)
{
    if (o.nx < 1 || o.ny < 1 || o.nz < 1) throw std::invalid_argument("nx, ny and nz must be at least 1");
    if (!(o.cellSize > 0)) throw std::invalid_argument("cell size must be positive");
    if (o.decimals < 0 || o.decimals > 6) throw std::invalid_argument("decimals must be 0 to 6");
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

// Writes the file whole or not at all: into a temporary file beside it, renamed over it only when every byte was
// written and the file closed without an error, so a failed write keeps the file that was there.
template <class Fill>
void writeFile(const std::filesystem::path& path, LineEnd lineEnd, Fill&& fill)
{
    std::filesystem::path part = path;
    part += ".part";
    std::unique_ptr<std::FILE, FileCloser> f(std::fopen(part.string().c_str(), "wb"));
    if (!f) throw std::runtime_error("cannot write " + path.string());
    bool written = false;
    try {
        TextOut out(lineEnd, f.get());
        fill(out);
        out.finish();
        written = std::fflush(f.get()) == 0 && std::ferror(f.get()) == 0;
    } catch (...) {
        f.reset();
        std::error_code ignored;
        std::filesystem::remove(part, ignored);
        throw;
    }
    written = std::fclose(f.release()) == 0 && written;
    std::error_code renamed;
    if (written) std::filesystem::rename(part, path, renamed);
    if (!written || renamed) {
        std::error_code ignored;
        std::filesystem::remove(part, ignored);
        throw std::runtime_error("cannot write " + path.string());
    }
}

template <class Fill>
std::string writeString(LineEnd lineEnd, Fill&& fill)
{
    TextOut out(lineEnd);
    fill(out);
    return out.take();
}

}  // namespace morvane::gen::detail
