#include "LogCapture.h"

LogCapture::LogCapture()
{
    HostSetLogToStderr(false);
    HostSetLogSink(&LogCapture::Receive, this);
}

LogCapture::~LogCapture()
{
    HostSetLogSink(nullptr, nullptr);
    HostSetLogToStderr(true);
}

void LogCapture::Receive(int level, CTSTR line, void *context)
{
    static_cast<LogCapture *>(context)->lines.push_back({level, line ? line : L""});
}

std::vector<std::wstring> LogCapture::Texts(int level) const
{
    std::vector<std::wstring> texts;
    for (const Line &line : lines)
        if (line.level == level)
            texts.push_back(line.text);
    return texts;
}
