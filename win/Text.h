#pragma once
// UTF-8 <-> UTF-16. Invalid input becomes U+FFFD rather than failing: text is shown, written
// to files and logs, never validated here.
#include <string>
#include <string_view>

namespace win {

std::wstring WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);

} // namespace win
