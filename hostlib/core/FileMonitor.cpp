// File monitors. The headless host never reports changes; it keeps the path and counts the
// monitors so tests can see that every one is destroyed. They live in MainAllocator blocks,
// so a leaked monitor also shows in the allocator's counts.
#include "hostlib/HostControl.h"

#include <atomic>
#include <new>
#include <utility>

struct OSFileChangeData {
    String path;
    bool suppressLogging;
};

namespace {
std::atomic<unsigned> liveMonitors{0};
}

HOSTAPI OSFileChangeData *OSMonitorFileStart(String path, bool suppressLogging)
{
    void *memory = Allocate(sizeof(OSFileChangeData));
    if (!memory)
        return nullptr;
    auto *monitor = new (memory) OSFileChangeData{std::move(path), suppressLogging};
    ++liveMonitors;
    return monitor;
}

HOSTAPI void OSMonitorFileDestroy(OSFileChangeData *data)
{
    if (!data)
        return;
    data->~OSFileChangeData();
    Free(data);
    --liveMonitors;
}

HOSTAPI unsigned HostLiveFileMonitors() { return liveMonitors; }

HOSTAPI CTSTR HostFileMonitorPath(const OSFileChangeData *monitor)
{
    if (!monitor)
        return nullptr;
    return monitor->path.IsEmpty() ? L"" : monitor->path.Array();
}
