// Text read from users' files: UTF-8 when it is valid UTF-8, otherwise Windows-1251 (the code page of older
// Russian exports), converted to UTF-8 for use inside the program. Files that Windows tools save as "Unicode"
// (UTF-16 with a byte order mark) are turned into UTF-8 as they are read (io/file_text.h).
#pragma once

#include <string>
#include <string_view>

namespace morvane {

bool isValidUtf8(std::string_view text);

// True when the bytes start with a UTF-16 byte order mark, little-endian (FF FE) or big-endian (FE FF).
bool startsAsUtf16(std::string_view bytes);
// UTF-16 text after its byte order mark, as UTF-8. A surrogate without its other half becomes U+FFFD, as does a
// last byte without its pair.
std::string utf8FromUtf16(std::string_view bytes);

// The text as UTF-8: unchanged when already valid UTF-8, else decoded from Windows-1251.
std::string decodeUserText(std::string_view bytes);
// The same without a copy where none is needed: `bytes` themselves when they are valid UTF-8 (nearly every export),
// else their decoding, kept in `storage`.
std::string_view utf8Text(std::string_view bytes, std::string& storage);

}  // namespace morvane
