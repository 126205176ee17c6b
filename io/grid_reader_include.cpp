// INCLUDE statements: the named file found beside the including file or the main file (in any letter case, with
// Windows separators), guarded against loops, repeats, depth and size, and read in place, where the statement stands.
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <utility>

#include "io/file_text.h"
#include "io/grdecl_deck.h"
#include "io/grdecl_scan.h"
#include "io/grid_reader_deck.h"
#include "io/text_codec.h"

namespace morvane::grid_deck {
namespace {

constexpr int kMaxIncludeDepth = 8;  // files included by included files, and so on

constexpr TextPair kCannotReadInclude{"Cannot read the included file {}.", "Не удалось прочитать включаемый файл {}."};
constexpr TextPair kReadWithoutInclude{"Cannot read the included file {}; the grid is read without it.",
                                       "Не удалось прочитать включаемый файл {}; грид прочитан без него."};
constexpr TextPair kIncludeStatement{"(INCLUDE in {}, line {}: {})", "(INCLUDE в файле {}, строка {}: {})"};
constexpr TextPair kIncludeNoName{"The INCLUDE statement in {}, line {}, names no file.",
                                  "Оператор INCLUDE в файле {}, строка {}, не называет файла."};
constexpr TextPair kIncludeUnclosedQuote{
    "The INCLUDE statement in {}, line {}: the quote before the file name is not closed on its line.",
    "Оператор INCLUDE в файле {}, строка {}: кавычка перед именем файла не закрыта в этой строке."};
constexpr TextPair kIncludeTooDeep{
    "The INCLUDE statement in {}, line {}, names {}, which would be included more than {} files deep; it is not "
    "followed.",
    "Оператор INCLUDE в файле {}, строка {}, называет файл {}, вложенный глубже {} уровней; он не читается."};
constexpr TextPair kIncludeLoop{
    "The INCLUDE statement in {}, line {}, names {}, which is being read already; it is not read again.",
    "Оператор INCLUDE в файле {}, строка {}, называет файл {}, который уже читается; повторно он не читается."};
constexpr TextPair kIncludeTwice{"The INCLUDE statement in {}, line {}, names {} a second time; it is read once.",
                                 "Оператор INCLUDE в файле {}, строка {}, называет файл {} второй раз; он читается "
                                 "один раз."};
constexpr TextPair kIncludeEmpty{"The file {}, included in {}, line {}, is empty.",
                                 "Файл {}, включённый в файле {}, строка {}, пуст."};
constexpr TextPair kIncludeTwoFolders{
    "The INCLUDE statement in {}, line {}, names {}, which stands both beside that file ({}) and beside the main "
    "file ({}); {} is read.",
    "Оператор INCLUDE в файле {}, строка {}, называет {}: такой файл есть и рядом с ним ({}), и рядом с основным "
    "файлом ({}); прочитан {}."};

}  // namespace

std::string canonicalKey(const fs::path& file)
{
    std::error_code error;
    const fs::path canonical = fs::weakly_canonical(file, error);
    return (error ? file : canonical).lexically_normal().string();
}

std::optional<fs::path> DeckReader::inAnyCase(const fs::path& folder, const fs::path& relative)
{
    const auto lower = [](std::string text) {
        for (char& c : text)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        return text;
    };
    fs::path at = folder;
    std::error_code error;
    for (const fs::path& part : relative) {
        if (part.empty() || part == "." || part == ".." || fs::exists(at / part, error)) {
            at /= part;
            continue;
        }
        const std::string wanted = lower(part.string());
        std::optional<fs::path> match;
        for (fs::directory_iterator entry(at, error), end; !error && entry != end; entry.increment(error)) {
            if (lower(entry->path().filename().string()) != wanted) continue;
            if (match) return std::nullopt;
            match = entry->path();
        }
        if (!match) return std::nullopt;
        at = *match;
    }
    return at;
}

// An included name relative to the including file's folder, or to the main file's folder when only there. Exports
// written on Windows may use backslashes, and name a file in other letter case than it has on disk (Windows does not
// tell them apart): such a name finds the one file that differs from it only in case. A name both folders hold
// different files of is warned about. Nothing found: the path beside the including file, for the message.
std::optional<fs::path> DeckReader::resolve(std::size_t s, std::string name, std::size_t line)
{
    std::replace(name.begin(), name.end(), '\\', '/');
    const fs::path relative(name);
    const fs::path& folder = sources_[s].folder;
    const fs::path& mainFolder = sources_.front().folder;
    std::error_code error;
    auto exists = [&](const fs::path& p) { return fs::symlink_status(p, error).type() != fs::file_type::not_found; };
    std::optional<fs::path> here, main;
    if (relative.is_absolute()) return relative;
    if (exists(folder / relative)) here = folder / relative;
    if (folder != mainFolder && exists(mainFolder / relative)) main = mainFolder / relative;
    if (!here) here = inAnyCase(folder, relative);
    if (!main && folder != mainFolder) main = inAnyCase(mainFolder, relative);
    if (here && main && canonicalKey(*here) != canonicalKey(*main)) {
        warnings_.push_back(fillIn(kIncludeTwoFolders, {sources_[s].file, number(line), name, here->string(),
                                                        main->string(), here->string()}));
    }
    if (here) return here;
    if (main) return main;
    return std::nullopt;
}

Walk DeckReader::include(std::size_t s, std::size_t at, std::size_t& pos)
{
    const std::string_view text = sources_[s].text;
    const std::string file = sources_[s].file;
    const std::size_t line = lineOf(text, at);
    const grdecl::IncludeName statement = grdecl::readIncludeName(text, at + kInclude.size());
    pos = statement.end;
    if (s == 0) sawInclude_ = true;
    using Problem = grdecl::IncludeName::Problem;
    if (statement.problem == Problem::NoName)
        return fail(GridReadOutcome::Refused, fillIn(kIncludeNoName, {file, number(line)}));
    if (statement.problem == Problem::UnclosedQuote)
        return fail(GridReadOutcome::Refused, fillIn(kIncludeUnclosedQuote, {file, number(line)}));

    // Names written in Windows-1251 are decoded before they are looked up; the name as written is tried too.
    const std::string written(statement.name);
    const std::string decoded = decodeUserText(written);
    std::optional<fs::path> found = resolve(s, decoded, line);
    if (!found && decoded != written) found = resolve(s, written, line);
    const fs::path target = found ? *found : sources_[s].folder / fs::path(decoded);

    if (sources_[s].depth >= kMaxIncludeDepth)
        return fail(GridReadOutcome::Refused,
                    fillIn(kIncludeTooDeep, {file, number(line), target.string(), number(kMaxIncludeDepth)}));
    const std::string key = canonicalKey(target);
    if (std::find(stack_.begin(), stack_.end(), key) != stack_.end()) {
        warnings_.push_back(fillIn(kIncludeLoop, {file, number(line), target.string()}));
        return Walk::On;
    }
    if (read_.count(key) > 0) {
        warnings_.push_back(fillIn(kIncludeTwice, {file, number(line), target.string()}));
        return Walk::On;
    }
    // A file far larger than the declared grid can fill is refused before it is read.
    std::error_code sizeError;
    if (fileProblemAt(target) == FileProblem::None) {
        const std::uintmax_t size = fs::file_size(target, sizeError);
        if (!sizeError && !sizeFits(target.string(), size)) return Walk::Stop;
    }
    FileProblem problem = FileProblem::None;
    FileText bytes;
    if (!readWholeFile(target, bytes, true, &problem)) {
        const LocalMessage why = fileProblemText(problem, target.string());
        LocalMessage where = fillIn(kIncludeStatement, {file, number(line), why.en});
        where.ru = fillIn(kIncludeStatement, {file, number(line), why.ru}).ru;
        LocalMessage message = fillIn(kCannotReadInclude, {target.string()});
        message += where;
        LocalMessage warning = fillIn(kReadWithoutInclude, {target.string()});
        warning += where;
        unreadIncludes_.push_back(std::move(message));
        unreadWarnings_.push_back(std::move(warning));
        return Walk::On;
    }
    read_.insert(key);
    fileBytes_ += bytes.size();
    if (!sizeFits(target.string(), bytes.size())) return Walk::Stop;
    const std::string_view view =
        grdecl::withoutByteOrderMark(held_.emplace_back(std::move(bytes), target.string()).first.view());
    if (grdecl::skipBlanks(view, 0) >= view.size())
        return fail(GridReadOutcome::Refused, fillIn(kIncludeEmpty, {target.string(), file, number(line)}));
    sources_.push_back({view, target.string(), target.parent_path(), sources_[s].depth + 1, key});
    stack_.push_back(key);
    const Walk result = walk(sources_.size() - 1);
    stack_.pop_back();
    return result;
}

}  // namespace morvane::grid_deck
