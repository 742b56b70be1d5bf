#pragma once
// Command lines for CreateProcessW, quoted so that CommandLineToArgvW and the C runtime give
// the program back exactly these arguments.
#include <string>
#include <vector>

namespace win {

// One argument as it must appear on a command line; unchanged when nothing needs quoting.
std::wstring QuotedArgument(const std::wstring &argument);
std::wstring QuotedCommandLine(const std::wstring &program, const std::vector<std::wstring> &arguments);

} // namespace win
