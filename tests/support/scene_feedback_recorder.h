// A Feedback that keeps everything it is told, for tests that check what the user would see.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "core/feedback.h"

namespace morvane::test {

class FeedbackRecorder final : public Feedback {
public:
    struct LogLine {
        std::string text;
        LogColour colour;
        friend bool operator==(const LogLine&, const LogLine&) = default;
    };

    void setStatus(const std::string& text) override { statuses.push_back(text); }
    void setProgress(int value) override { progressValue = value; }
    int progress() const override { return progressValue; }
    void appendLog(const std::string& text, LogColour colour) override { log.push_back({text, colour}); }
    void trace(const std::string& line) override { traces.push_back(line); }

    std::vector<std::string> statuses;
    std::vector<LogLine> log;
    std::vector<std::string> traces;
    int progressValue = 0;
};

}  // namespace morvane::test
