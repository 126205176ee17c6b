// The files a user opened lately (grids, property files, well files), newest first, kept in the settings so the
// Project menu can offer them again after a restart; and a prompt wrapper that notes which files a dialog chose,
// so a command's files can be remembered once it has loaded them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/user_prompts.h"
#include "io/data_file_kind.h"
#include "platform/app_settings.h"

namespace morvane {

struct RecentFile {
    DataFileKind kind = DataFileKind::Unknown;
    std::string path;  // UTF-8, as the file dialog or the drop gave it
    friend bool operator==(const RecentFile&, const RecentFile&) = default;
};

inline constexpr std::size_t kMaxRecentFiles = 10;

// The list with `file` first. An entry for the same path leaves its old place; entries beyond kMaxRecentFiles go.
// A file of unknown kind, an empty path or one with a line break or tab (which the stored form cannot hold) leaves
// the list as it was.
std::vector<RecentFile> withRecentFile(std::vector<RecentFile> list, const RecentFile& file);

// The stored form: one line per entry, the kind's word, a tab, the path. Reading skips lines of an unknown kind,
// without a path, repeated paths and those beyond kMaxRecentFiles.
std::string recentFilesText(const std::vector<RecentFile>& list);
std::vector<RecentFile> recentFilesFromText(std::string_view text);

// The list in the settings (key settings_key::recentFiles), and changes to it saved at once.
std::vector<RecentFile> readRecentFiles(const AppSettings& settings);
void rememberRecentFile(AppSettings& settings, const RecentFile& file);
void forgetRecentFile(AppSettings& settings, const std::string& path);
void clearRecentFiles(AppSettings& settings);

// Prompts that pass every question on to `inner` and note the paths the file dialogs answered, in order.
class NotingFileChoices final : public UserPrompts {
public:
    explicit NotingFileChoices(UserPrompts& inner) : inner_(inner) {}
    const std::vector<std::string>& chosen() const { return chosen_; }

    std::string openFileName(const std::string& title, const std::string& filter) override;
    std::vector<std::string> openFileNames(const std::string& title, const std::string& filter) override;
    WellColumnAnswer chooseWellColumns(const WellColumnQuestion& question) override
    {
        return inner_.chooseWellColumns(question);
    }
    void information(const std::string& text, const std::string& caption) override
    {
        inner_.information(text, caption);
    }
    std::optional<std::vector<int>> choosePropertyTypes(const std::vector<std::string>& names,
                                                        const std::string& lang) override
    {
        return inner_.choosePropertyTypes(names, lang);
    }

private:
    UserPrompts& inner_;
    std::vector<std::string> chosen_;
};

}  // namespace morvane
