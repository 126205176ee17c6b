#include "commands/recent_files.h"

#include <algorithm>

namespace morvane {

namespace {

bool storable(const RecentFile& file)
{
    return file.kind != DataFileKind::Unknown && !file.path.empty() &&
           file.path.find_first_of("\r\n\t") == std::string::npos;
}

}  // namespace

std::vector<RecentFile> withRecentFile(std::vector<RecentFile> list, const RecentFile& file)
{
    if (!storable(file)) return list;
    std::erase_if(list, [&](const RecentFile& f) { return f.path == file.path; });
    list.insert(list.begin(), file);
    if (list.size() > kMaxRecentFiles) list.resize(kMaxRecentFiles);
    return list;
}

std::string recentFilesText(const std::vector<RecentFile>& list)
{
    std::string text;
    for (const RecentFile& f : list) {
        if (!storable(f)) continue;
        text.append(dataFileKindWord(f.kind)).append("\t").append(f.path).append("\n");
    }
    return text;
}

std::vector<RecentFile> recentFilesFromText(std::string_view text)
{
    std::vector<RecentFile> list;
    while (!text.empty() && list.size() < kMaxRecentFiles) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const std::size_t tab = line.find('\t');
        if (tab == std::string_view::npos) continue;
        const RecentFile file{dataFileKindFromWord(line.substr(0, tab)), std::string(line.substr(tab + 1))};
        const bool repeated =
            std::any_of(list.begin(), list.end(), [&](const RecentFile& f) { return f.path == file.path; });
        if (storable(file) && !repeated) list.push_back(file);
    }
    return list;
}

std::vector<RecentFile> readRecentFiles(const AppSettings& settings)
{
    return recentFilesFromText(settings.ReadAppSettings(settings_key::recentFiles));
}

void rememberRecentFile(AppSettings& settings, const RecentFile& file)
{
    settings.UpdateAppSettings(settings_key::recentFiles,
                               recentFilesText(withRecentFile(readRecentFiles(settings), file)));
}

void forgetRecentFile(AppSettings& settings, const std::string& path)
{
    std::vector<RecentFile> list = readRecentFiles(settings);
    std::erase_if(list, [&](const RecentFile& f) { return f.path == path; });
    settings.UpdateAppSettings(settings_key::recentFiles, recentFilesText(list));
}

void clearRecentFiles(AppSettings& settings) { settings.UpdateAppSettings(settings_key::recentFiles, ""); }

std::string NotingFileChoices::openFileName(const std::string& title, const std::string& filter)
{
    std::string path = inner_.openFileName(title, filter);
    if (!path.empty()) chosen_.push_back(path);
    return path;
}

std::vector<std::string> NotingFileChoices::openFileNames(const std::string& title, const std::string& filter)
{
    std::vector<std::string> paths = inner_.openFileNames(title, filter);
    chosen_.insert(chosen_.end(), paths.begin(), paths.end());
    return paths;
}

}  // namespace morvane
