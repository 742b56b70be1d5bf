#pragma once
// The command line as both producer programs read it, and the plain conversions between the
// system's wide strings and the UTF-16 strings their portable parts work with (both are
// UTF-16 on Windows, so nothing is lost either way).
#include <string>
#include <string_view>
#include <vector>

// This program's arguments, split as the system splits them, without the program name.
std::vector<std::u16string> ProgramArguments();

std::u16string FromWide(std::wstring_view text);
std::wstring ToWide(std::u16string_view text);
