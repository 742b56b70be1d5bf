// headless_host: runs broadcast-host plug-ins without a window, drawing with the host
// library's software graphics system.
#include "headless/HeadlessRun.h"
#include "win/Text.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>

namespace {

std::vector<std::wstring> Arguments()
{
    std::vector<std::wstring> arguments;
    int count = 0;
    wchar_t **values = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!values)
        return arguments;
    for (int i = 1; i < count; ++i)
        arguments.emplace_back(values[i]);
    LocalFree(values);
    return arguments;
}

void PrintLine(const std::wstring &text)
{
    std::fprintf(stderr, "%s\n", win::Utf8FromWide(text).c_str());
    std::fflush(stderr);
}

} // namespace

int main()
{
    const CommandLineResult parsed = ParseCommandLine(Arguments());
    if (!parsed.ok) {
        PrintLine(L"headless_host: " + parsed.error + L" (--help shows the usage)");
        return HOST_EXIT_BAD_INPUT;
    }
    if (parsed.options.help) {
        std::fputs(win::Utf8FromWide(UsageText()).c_str(), stdout);
        return HOST_EXIT_OK;
    }
    std::wstring error;
    const int exitCode = RunHeadlessHost(parsed.options, error);
    if (exitCode != HOST_EXIT_OK)
        PrintLine(L"headless_host: " + error);
    return exitCode;
}
