#include "headless/HostEvents.h"
#include "hostlib/HostControl.h"

namespace {

// How the host library logs a message box.
constexpr wchar_t messageBoxPrefix[] = L"message box: ";

} // namespace

HostEvents::HostEvents()
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
    else if (level == HOST_LOG_INFO && text.rfind(messageBoxPrefix, 0) == 0)
        events->messageBoxes.push_back(text.substr(std::size(messageBoxPrefix) - 1));
}
