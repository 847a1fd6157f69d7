// The program's own texts are Windows-1251, one byte per character; the
// window system and file names speak UTF-8. Conversions and cuts between them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tessaly {

// Windows-1251 bytes as UTF-8; the text ends at a zero byte, as the window
// system's strings do.
std::string cp1251ToUtf8(std::string_view text);

// The number of characters of a UTF-8 text (bytes that do not continue a
// character; a broken sequence counts byte by byte).
std::size_t utf8Length(std::string_view text);

// Between UTF-8 and UTF-16, the form of Windows' wide-character calls. A byte
// that does not start a whole UTF-8 character becomes U+FFFD; a lone
// surrogate makes the round trip unchanged.
std::string utf16ToUtf8(std::u16string_view text);
std::u16string utf8ToUtf16(std::string_view text);

// The first `characters` characters of a UTF-8 text, never cutting one in
// two; the text ends at a zero byte.
std::string utf8Prefix(std::string_view text, std::size_t characters);

} // namespace tessaly
