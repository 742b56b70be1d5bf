#include "companion/blockwriter/ProgramArguments.h"

#include <windows.h>
#include <shellapi.h>

std::vector<std::u16string> ProgramArguments()
{
    int count = 0;
    LPWSTR *argv = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::u16string> arguments;
    for (int i = 1; argv && i < count; ++i)
        arguments.push_back(FromWide(argv[i]));
    if (argv)
        LocalFree(argv);
    return arguments;
}

std::u16string FromWide(std::wstring_view text) { return std::u16string(text.begin(), text.end()); }

std::wstring ToWide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }
