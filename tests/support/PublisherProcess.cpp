#include "PublisherProcess.h"

namespace {

std::wstring WithReadyFile(const std::wstring &arguments, const std::wstring &readyFile)
{
    return readyFile.empty() ? arguments : arguments + L" --ready-file \"" + readyFile + L"\"";
}

} // namespace

PublisherProcess::PublisherProcess(const std::wstring &arguments, bool withReadyFile)
    : readyFile(withReadyFile ? folder / L"publisher.ready" : L""),
      process(L"plauditor_publish.exe", WithReadyFile(arguments, readyFile))
{
}

bool PublisherProcess::WaitReady()
{
    if (!process.Started() || readyFile.empty())
        return false;
    WaitUntil(kTimeoutMs, [&] { return FileExists(readyFile) || !process.Running(); });
    return FileExists(readyFile);
}
