#pragma once
// UTF-8 <-> UTF-16 for the text that arrives as UTF-8 (event lines, settings) and leaves as
// UTF-16 (the blocks). Malformed input never stops a conversion: it becomes U+FFFD.
#include <string>
#include <string_view>

std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

inline std::u16string Ascii16(std::string_view text) { return std::u16string(text.begin(), text.end()); }

// Text made safe for one log line: control characters become spaces, long text is cut.
std::string OneLine(std::string_view text, std::size_t maxBytes = 200);
