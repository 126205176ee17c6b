// How commands talk to the user: status text, progress, the coloured events log and the trace.
//
// The main window implements this with its widgets; tests implement it with a recorder. Pure interface, so commands
// and builders that report progress need no widget header.
#pragma once

#include <cstdint>
#include <string>

namespace morvane {

struct LogColour {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const LogColour&, const LogColour&) = default;
};

namespace log_colour {
inline constexpr LogColour LightGrey{211, 211, 211};  // "Opening file: " lines
inline constexpr LogColour Green{0, 128, 0};          // success
inline constexpr LogColour Red{255, 0, 0};            // failure
inline constexpr LogColour Orange{255, 140, 0};       // read, but something may be wrong
inline constexpr LogColour Black{0, 0, 0};
}  // namespace log_colour

class Feedback {
public:
    virtual ~Feedback() = default;
    virtual void setStatus(const std::string& text) = 0;
    virtual void setProgress(int value) = 0;  // 0..100
    virtual int progress() const = 0;
    // One coloured line in the events log; a line break goes before it when the log already holds text.
    virtual void appendLog(const std::string& text, LogColour colour) = 0;
    // One diagnostic line on the trace channel.
    virtual void trace(const std::string& line) = 0;

    void advanceProgress(int step) { setProgress(progress() + step); }
};

// A Feedback that drops everything: for command-line tools and callers that do not report.
class SilentFeedback final : public Feedback {
public:
    void setStatus(const std::string&) override {}
    void setProgress(int value) override { progress_ = value; }
    int progress() const override { return progress_; }
    void appendLog(const std::string&, LogColour) override {}
    void trace(const std::string&) override {}

private:
    int progress_ = 0;
};

}  // namespace morvane
