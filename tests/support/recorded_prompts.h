// Recorded answers to the questions a command asks: file dialogs, message boxes and the property kinds dialog.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/user_prompts.h"

namespace morvane::testing {

// Answers a file dialog with the next queued path ("" = cancel), the multi-file dialog with the next queued list
// (nothing queued = cancel), the property kinds dialog with the next queued type codes (nothing queued or
// std::nullopt = closed without OK), the well column dialog with the next queued answer (nothing queued = the close
// box), and records every question.
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

    std::vector<std::string> openFileNames(const std::string& title, const std::string& filter) override
    {
        questions.push_back({title, filter});
        if (nextList_ >= fileLists.size()) return {};
        return fileLists[nextList_++];
    }
    WellColumnAnswer chooseWellColumns(const WellColumnQuestion& question) override
    {
        columnQuestions.push_back(question);
        if (nextColumns_ >= columnAnswers.size()) return {};
        return columnAnswers[nextColumns_++];
    }

    std::vector<std::vector<std::string>> fileLists;
    std::vector<WellColumnAnswer> columnAnswers;
    std::vector<WellColumnQuestion> columnQuestions;

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
    std::size_t nextList_ = 0;
    std::size_t nextColumns_ = 0;
};

}  // namespace morvane::testing
