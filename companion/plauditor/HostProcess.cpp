#include "companion/plauditor/HostProcess.h"

std::optional<HostProcess> HostProcess::Open(DWORD processId, DWORD &error)
{
    win::UniqueHandle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
    if (!process) {
        error = GetLastError();
        return std::nullopt;
    }
    // An id can outlive its process while someone holds a handle to it: check it still runs.
    if (WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0) {
        error = ERROR_INVALID_PARAMETER;
        return std::nullopt;
    }
    error = ERROR_SUCCESS;
    return HostProcess(std::move(process));
}

bool HostProcess::WaitForEnd(DWORD milliseconds) const
{
    return WaitForSingleObject(process.get(), milliseconds) != WAIT_TIMEOUT;
}
