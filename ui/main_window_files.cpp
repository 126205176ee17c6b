// Files in: the recent files of the Project menu, files dropped on the window, and opening a file by its kind.
#include <filesystem>
#include <system_error>

#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include "core/localisation.h"
#include "io/property_reader.h"
#include "platform/app_settings.h"
#include "ui/main_window.h"

namespace morvane {

namespace {

constexpr TextPair kNoRecentFiles{"No recent files", "Нет недавних файлов"};
constexpr TextPair kClearRecentFiles{"Clear the list", "Очистить список"};
constexpr TextPair kFileNotFound{"File not found: ", "Файл не найден: "};
constexpr TextPair kNotImported{"Not imported: {} is neither a grid, a property file nor a deviation file.",
                                "Не загружен: {} — это не грид, не файл свойств и не файл инклинометрии."};

TextPair kindWord(DataFileKind kind)
{
    switch (kind) {
    case DataFileKind::Grid:
        return {"grid", "грид"};
    case DataFileKind::Property:
        return {"properties", "свойства"};
    case DataFileKind::Well:
        return {"well", "скважина"};
    case DataFileKind::Unknown:
        break;
    }
    return {"", ""};
}

std::string withName(std::string text, const std::string& name)
{
    const std::size_t at = text.find("{}");
    return at == std::string::npos ? text + name : text.replace(at, 2, name);
}

// The local files of a drag, in order.
std::vector<std::string> localFiles(const QMimeData* data)
{
    std::vector<std::string> paths;
    if (!data || !data->hasUrls()) return paths;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile()) paths.push_back(url.toLocalFile().toStdString());
    return paths;
}

}  // namespace

void MainWindow::rememberRecentFiles(DataFileKind kind, const std::vector<std::string>& paths)
{
    for (const std::string& path : paths) rememberRecentFile(appSettings(), {kind, path});
}

void MainWindow::refreshRecentMenu()
{
    menus_.recentFiles->clear();
    const std::vector<RecentFile> files = readRecentFiles(appSettings());
    if (files.empty()) {
        menus_.recentFiles->addAction(QString::fromStdString(kNoRecentFiles.in(state_.view.language)))
            ->setEnabled(false);
        return;
    }
    for (std::size_t n = 0; n < files.size(); ++n) {
        const RecentFile file = files[n];
        const QString name = QString::fromStdString(std::filesystem::path(file.path).filename().string());
        const QString kind = QString::fromStdString(kindWord(file.kind).in(state_.view.language));
        QAction* entry = menus_.recentFiles->addAction(QStringLiteral("&%1  %2  (%3)").arg(n + 1).arg(name, kind));
        entry->setObjectName(QStringLiteral("recentFile_%1").arg(n + 1));
        entry->setToolTip(QString::fromStdString(file.path));
        entry->setStatusTip(QString::fromStdString(file.path));
        connect(entry, &QAction::triggered, this, [this, file] { openRecentFile(file); });
    }
    menus_.recentFiles->addSeparator();
    QAction* clear = menus_.recentFiles->addAction(QString::fromStdString(kClearRecentFiles.in(state_.view.language)));
    clear->setObjectName(QStringLiteral("clearRecentFilesItem"));
    connect(clear, &QAction::triggered, this, [] { clearRecentFiles(appSettings()); });
}

void MainWindow::openRecentFile(const RecentFile& file)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file.path, ec)) {
        appendLog(kFileNotFound.in(state_.view.language) + file.path, log_colour::Red);
        forgetRecentFile(appSettings(), file.path);
        return;
    }
    switch (file.kind) {
    case DataFileKind::Grid:
        importGridFromPath(file.path);
        break;
    case DataFileKind::Property:
        openDataFiles({file.path});
        break;
    case DataFileKind::Well:
        importWellsFromPaths({file.path}, true);
        break;
    case DataFileKind::Unknown:
        break;
    }
}

void MainWindow::openDataFiles(const std::vector<std::string>& paths)
{
    std::vector<std::string> grids, properties, wells;
    for (const std::string& path : paths) {
        switch (dataFileKindOf(path)) {
        case DataFileKind::Grid:
            grids.push_back(path);
            break;
        case DataFileKind::Property:
            properties.push_back(path);
            break;
        case DataFileKind::Well:
            wells.push_back(path);
            break;
        case DataFileKind::Unknown:
            appendLog(withName(kNotImported.in(state_.view.language), std::filesystem::path(path).filename().string()),
                      log_colour::Red);
            break;
        }
    }
    // A property file belongs to the grid imported before it.
    for (const std::string& grid : grids) importGridFromPath(grid);
    if (!properties.empty() && !state_.document.grid.loaded) {
        const bool russian = languageOffset(state_.view.language) == 1;
        prompts_->information(russian ? kNoGridTextRu : kNoGridTextEn,
                              russian ? property_texts::CaptionRu : property_texts::CaptionEn);
    } else {
        for (const std::string& file : properties) importPropertiesFromPath(file, PropertyTypes::Ask);
    }
    if (!wells.empty()) importWellsFromPaths(wells, true);
}

// While an import runs (the wait cursor is up) the window still repaints and may see a drop: it is refused, so one
// import never starts inside another.
void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (!QApplication::overrideCursor() && !localFiles(event->mimeData()).empty()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    const std::vector<std::string> paths = localFiles(event->mimeData());
    if (paths.empty() || QApplication::overrideCursor()) return;
    event->acceptProposedAction();
    // The imports ask questions in dialogs of their own: after the drop has ended, not inside it.
    QTimer::singleShot(0, this, [this, paths] { openDataFiles(paths); });
}

}  // namespace morvane
