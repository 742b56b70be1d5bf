#pragma once
#include <string>
#include <string_view>

// UTF-16 <-> UTF-8 for files and stderr; invalid input is replaced, never refused.
std::string Utf8(std::wstring_view wide);
std::wstring Wide(std::string_view utf8);
