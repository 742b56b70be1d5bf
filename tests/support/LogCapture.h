#pragma once
#include "hostlib/HostControl.h"

#include <string>
#include <vector>

// Collects the host's log lines while it lives, and keeps them off stderr.
class LogCapture {
public:
    struct Line {
        int level;
        std::wstring text;
    };

    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture &) = delete;
    LogCapture &operator=(const LogCapture &) = delete;

    const std::vector<Line> &Lines() const { return lines; }
    std::vector<std::wstring> Texts(int level) const;
    std::vector<std::wstring> Warnings() const { return Texts(HOST_LOG_WARNING); }
    std::vector<std::wstring> Infos() const { return Texts(HOST_LOG_INFO); }
    void Clear() { lines.clear(); }

private:
    static void Receive(int level, CTSTR line, void *context);
    std::vector<Line> lines;
};
