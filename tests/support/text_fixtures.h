// Small helpers for tests that feed text files to the readers.
#pragma once

#include <string>

namespace morvane::test {

// The same text with Windows line ends: every "\n" becomes "\r\n".
inline std::string withCrlf(const std::string& lf)
{
    std::string out;
    out.reserve(lf.size() + lf.size() / 16);
    for (char c : lf) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

}  // namespace morvane::test
