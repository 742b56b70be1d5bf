#include "win/CommandLine.h"

namespace win {

// Backslashes are literal except before a quote, where each pair stands for one backslash.
std::wstring QuotedArgument(const std::wstring &argument)
{
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos)
        return argument;
    std::wstring quoted = L"\"";
    size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, L'\\');
    return quoted + L"\"";
}

std::wstring QuotedCommandLine(const std::wstring &program, const std::vector<std::wstring> &arguments)
{
    std::wstring line = QuotedArgument(program);
    for (const std::wstring &argument : arguments)
        line += L" " + QuotedArgument(argument);
    return line;
}

} // namespace win
