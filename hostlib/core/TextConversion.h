#pragma once
// UTF-8 / UTF-16 conversion for the host's own storage and files.
#include <string>
#include <string_view>

// Invalid input becomes U+FFFD rather than failing: text is shown, not validated.
std::wstring WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);

// The text of a file's bytes: UTF-16LE when it starts with its byte-order mark,
// otherwise UTF-8 (a UTF-8 mark is dropped).
std::wstring DecodeTextFileBytes(std::string_view bytes);
