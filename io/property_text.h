// Small text helpers the property reader's two halves share (property_blocks.cpp finds the blocks,
// property_reader.cpp reads their values and reports them). Internal to io/.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace morvane::property_text {

// The end of the line starting at `pos` (its "\n", or the end of the text).
std::size_t lineEnd(std::string_view text, std::size_t pos);
// The start of the line holding `pos`.
std::size_t lineStartOf(std::string_view text, std::size_t pos);
// A name as the messages show it: control characters as "?", at most 120 bytes (not splitting a UTF-8 sequence).
std::string shownText(std::string_view text);

}  // namespace morvane::property_text
