// Program entry: the viewer window, or with --snapshot a picture drawn offscreen without any window.
#include <iostream>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include <QApplication>
#include <QStringList>
#include <QTimer>

#include "app/snapshot.h"
#include "commands/command_line.h"
#include "commands/model_state.h"
#include "platform/app_settings.h"
#include "platform/qt_translations.h"
#include "render/resource_files.h"
#include "ui/gl_view.h"
#include "ui/main_window.h"

namespace {

std::vector<std::string> userArguments(const QStringList& arguments)
{
    std::vector<std::string> args;
    for (qsizetype i = 1; i < arguments.size(); ++i) args.push_back(arguments[i].toStdString());
    return args;
}

std::vector<std::string> rawArguments(int argc, char* argv[])
{
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
    return args;
}

int runCommandLine(const std::vector<std::string>& args, morvane::CommandLine& cl)
{
    std::string error;
    const auto parsed = morvane::parseCommandLine(args, &error);
    if (!parsed) {
        std::cerr << "morvane: " << error << "\n\n" << morvane::commandLineUsage();
        return 2;
    }
    cl = *parsed;
    if (cl.help) {
        std::cout << morvane::commandLineUsage();
        return 0;
    }
    if (cl.version) {
        std::cout << morvane::versionLine("morvane");
        return 0;
    }
    if (cl.demo) {
        // Installed in share/morvane/demo beside the program's bin/ folder, or beside the program in its build folder.
        const auto grid = morvane::findResource("demo/DEMO.GRDECL", morvane::defaultResourceDirs());
        if (!grid) {
            std::cerr << "morvane: the demo model (demo/DEMO.GRDECL) is not installed with the program\n";
            return 1;
        }
        morvane::openDemoModel(cl, grid->parent_path());
    }
    return -1;
}

}  // namespace

int main(int argc, char* argv[])
{
    // The model and view the program shows: one for the whole run, owned here, handed to the window or the snapshot.
    const auto owned = std::make_unique<morvane::ModelState>();
    morvane::ModelState& state = *owned;

    // Help, wrong arguments and snapshots need no display at all: no QApplication, no platform plugin. Only an
    // option we do not know may still be one of Qt's (-platform, -style, ...), taken out by QApplication below.
    std::string error;
    const auto early = morvane::parseCommandLine(rawArguments(argc, argv), &error);
    if (early || error.rfind("unknown option", 0) != 0) {
        morvane::CommandLine cl;
        if (const int status = runCommandLine(rawArguments(argc, argv), cl); status >= 0) return status;
        if (!cl.snapshotFile.empty()) {
            // The legend is a widget: it is drawn on Qt's windowless platform, whatever display there is.
            qputenv("QT_QPA_PLATFORM", "offscreen");
            int qtArgc = 1;
            QApplication app(qtArgc, argv);
            try {
                return morvane::writeSnapshot(state, cl);
            } catch (const std::bad_alloc&) {
                // Each import names its own file when memory runs out; this is what is left: the drawing.
                std::cerr << "morvane: there is not enough memory to draw " << cl.snapshotFile << '\n';
                return 1;
            }
        }
    }

    morvane::setViewSurfaceFormat();  // before the application object exists
    QApplication app(argc, argv);
    morvane::CommandLine cl;
    if (const int status = runCommandLine(userArguments(QApplication::arguments()), cl); status >= 0) return status;
    // Qt's own texts (standard buttons, file and colour dialogs) in the interface's language.
    morvane::installQtTranslations(morvane::appSettings().ReadAppSettings(morvane::settings_key::Lang));

    // The GL view cannot live on Qt's windowless platforms; a picture is what can be had there.
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal")) {
        std::cerr << "morvane: the \"" << platform.toStdString()
                  << "\" platform has no windows; use --snapshot OUT.png to draw the model into a picture\n";
        return 1;
    }

    morvane::MainWindow window(state);
    window.show();
    if (!cl.gridFile.empty()) {
        // Imported once the window is up, so the user sees the progress.
        QTimer::singleShot(0, &window, [&window, cl] {
            if (window.importGridFromPath(cl.gridFile) == morvane::GridImportOutcome::Cancelled)
                window.appendLog("File not found: " + cl.gridFile, morvane::log_colour::Red);
            const morvane::DataFileKinds kinds = morvane::sortDataFiles(cl.dataFiles);
            for (const std::string& f : kinds.unreadable)
                window.appendLog("File not found: " + f, morvane::log_colour::Red);
            // The other files are property files: each property without a kind.
            std::vector<std::string> loaded;
            for (const std::string& file : kinds.others) {
                const auto result = window.importPropertiesFromPath(file);
                loaded.insert(loaded.end(), result.names.begin(), result.names.end());
            }
            if (!kinds.wells.empty()) window.importWellsFromPaths(kinds.wells);
            // The first property loaded, or the one asked for, is shown with its legend.
            const std::string shown = cl.propertyName.empty() && !loaded.empty() ? loaded.front() : cl.propertyName;
            if (!shown.empty() && !window.showProperty(shown))
                window.appendLog("No property called " + shown + " was loaded", morvane::log_colour::Red);
            window.showUniformContacts(cl.owcDepth, cl.gocDepth);
            if (!cl.productionFile.empty()) window.importProductionFromPath(cl.productionFile);
        });
    }
    return app.exec();
}
