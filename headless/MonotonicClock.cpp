#include "headless/MonotonicClock.h"

#include <windows.h>

double MonotonicSeconds()
{
    static const double frequency = [] {
        LARGE_INTEGER value;
        QueryPerformanceFrequency(&value);
        return static_cast<double>(value.QuadPart);
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / frequency;
}

void SleepUntil(double dueSeconds)
{
    for (double left = dueSeconds - MonotonicSeconds(); left > 0; left = dueSeconds - MonotonicSeconds())
        Sleep(static_cast<DWORD>(left * 1000.0) + 1);
}
