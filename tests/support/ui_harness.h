// Shared pieces of the window tests: the program's GL format and a QApplication around the test run, a settings
// file of the test's own, recorded answers to file dialogs and message boxes, and generated grids on disk.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>
#include <QApplication>
#include <QColor>
#include <QFile>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

#include "commands/model_state.h"
#include "core/user_prompts.h"
#include "platform/app_settings.h"
#include "tests/support/recorded_prompts.h"
#include "tests/support/temp_folder.h"
#include "tools/generator/model_generator.h"
#include "ui/gl_view.h"

namespace morvane::testing {

// The settings file of this test run (inside a temporary folder that lives for the whole run).
inline QString& settingsFile()
{
    static QString path;
    return path;
}

// The model state the test's window shows, as the program's start owns one for the window.
inline ModelState& state()
{
    static ModelState shown;
    return shown;
}

// Every test starts from the default settings and a fresh model state.
inline void resetProgramState()
{
    QFile::remove(settingsFile());
    appSettings().setFilePath(settingsFile());
    state() = ModelState();
}

// The program's own start: GL format before the application, then the tests with the user's settings untouched.
inline int runUiTests(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the tests (CTest does it to find them) needs no window system, so it works without a display.
    if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
    morvane::setViewSurfaceFormat();
    QApplication app(argc, argv);
    QTemporaryDir folder;
    settingsFile() = folder.filePath(QStringLiteral("Morvane.ini"));
    appSettings().setFilePath(settingsFile());
    return RUN_ALL_TESTS();
}

// Runs `open`, which shows a modal dialog of type D and waits for it, runs `body` on that dialog once it is up and
// closes it (another modal window in its place is closed untouched). True when `body` ran.
template <typename D>
bool withModalDialog(const std::function<void()>& open, const std::function<void(D&)>& body)
{
    bool ran = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
        if (!dialog) {
            if (QWidget* other = QApplication::activeModalWidget()) other->close();
            return;
        }
        ran = true;
        body(*dialog);
        dialog->close();
    });
    open();
    return ran;
}

// The lines of the events log as the user sees them: text and colour of each non-empty line.
struct LogLine {
    QString text;
    QColor colour;
};

inline std::vector<LogLine> logLines(QTextEdit* log)
{
    std::vector<LogLine> lines;
    for (QTextBlock b = log->document()->begin(); b.isValid(); b = b.next()) {
        if (b.text().isEmpty()) continue;
        lines.push_back({b.text(), b.begin().fragment().charFormat().foreground().color()});
    }
    return lines;
}

}  // namespace morvane::testing
