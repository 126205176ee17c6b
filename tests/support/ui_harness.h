// Shared pieces of the window tests: the program's GL format and a QApplication around the test run, a settings
// file of the test's own, recorded answers to file dialogs and message boxes, and generated grids on disk.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <QApplication>
#include <QColor>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "platform/app_settings.h"
#include "ui/copengl.h"
#include "tools/generator/model_generator.h"
#include "core/model_state.h"
#include "core/user_prompts.h"

namespace morvane::testing {

// The settings file of this test run (inside a temporary folder that lives for the whole run).
inline QString& settingsFile()
{
    static QString path;
    return path;
}

// Every test starts from the default settings and a fresh model state.
inline void resetProgramState()
{
    QFile::remove(settingsFile());
    appSettings().setFilePath(settingsFile());
    modelState() = ModelState();
}

// The program's own start: GL format before the application, then the tests with the user's settings untouched.
inline int runUiTests(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the tests (CTest does it to find them) needs no window system, so it works without a display.
    if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
    OpenGLForm::setViewSurfaceFormat();
    QApplication app(argc, argv);
    QTemporaryDir folder;
    settingsFile() = folder.filePath(QStringLiteral("Morvane.ini"));
    appSettings().setFilePath(settingsFile());
    return RUN_ALL_TESTS();
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

// Answers a file dialog with the next queued path ("" = cancel), the property loading dialog with the next queued
// type codes (nothing queued or std::nullopt = closed without OK), and records every question.
class RecordedPrompts final : public UserPrompts {
public:
    struct Question {
        std::string title, filter;
    };
    struct Message {
        std::string text, caption;
    };

    explicit RecordedPrompts(std::vector<std::string> answers) : answers_(std::move(answers)) {}

    std::string openFileName(const std::string& title, const std::string& filter) override
    {
        questions.push_back({title, filter});
        if (next_ >= answers_.size()) return {};
        return answers_[next_++];
    }
    void information(const std::string& text, const std::string& caption) override
    {
        messages.push_back({text, caption});
    }
    std::optional<std::vector<int>> choosePropertyTypes(const std::vector<std::string>& names,
                                                        const std::string& lang) override
    {
        typeQuestions.push_back({names, lang});
        if (nextTypes_ >= typeAnswers.size()) return std::nullopt;
        return typeAnswers[nextTypes_++];
    }

    struct TypeQuestion {
        std::vector<std::string> names;
        std::string lang;
    };
    std::vector<Question> questions;
    std::vector<Message> messages;
    std::vector<std::optional<std::vector<int>>> typeAnswers;
    std::vector<TypeQuestion> typeQuestions;

private:
    std::vector<std::string> answers_;
    std::size_t next_ = 0;
    std::size_t nextTypes_ = 0;
};

// A folder for the files one test writes.
class TempFolder {
public:
    TempFolder() : path_(dir_.path().toStdString()) {}
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path file(const std::string& name) const { return path_ / name; }

private:
    QTemporaryDir dir_;
    std::filesystem::path path_;
};

inline std::string writeText(const std::filesystem::path& file, const std::string& text)
{
    FILE* f = std::fopen(file.c_str(), "wb");
    if (!f) return {};
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
    return file.string();
}

}  // namespace morvane::testing
