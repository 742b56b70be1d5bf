#include "headless/HostEvents.h"
#include "hostlib/HostControl.h"

namespace {

// How the host library logs a message box.
constexpr wchar_t messageBoxPrefix[] = L"message box: ";

} // namespace

HostEvents::HostEvents() : boxesSeen(HostMessageBoxCount())
{
    HostSetLogSink(&HostEvents::Receive, this);
}

HostEvents::~HostEvents()
{
    HostSetLogSink(nullptr, nullptr);
}

void HostEvents::Receive(int level, const wchar_t *line, void *context)
{
    auto *events = static_cast<HostEvents *>(context);
    const std::wstring text = line ? line : L"";
    if (level == HOST_LOG_WARNING)
        events->warnings.push_back(text);
    // The box is counted before its line is logged, so a plug-in's own log line that merely
    // looks like one is not taken for a box.
    else if (level == HOST_LOG_INFO && text.rfind(messageBoxPrefix, 0) == 0 &&
             HostMessageBoxCount() > events->boxesSeen) {
        events->boxesSeen = HostMessageBoxCount();
        events->messageBoxes.push_back(text.substr(std::size(messageBoxPrefix) - 1));
    }
}
