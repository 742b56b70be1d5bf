#pragma once
// A lock for the host library's shared state: a Windows critical section, so it may be
// taken again by the thread that holds it. Works with std::lock_guard.
#include <windows.h>

class HostLock {
    CRITICAL_SECTION section;

public:
    HostLock() { InitializeCriticalSection(&section); }
    ~HostLock() { DeleteCriticalSection(&section); }
    HostLock(const HostLock &) = delete;
    HostLock &operator=(const HostLock &) = delete;

    void lock() { EnterCriticalSection(&section); }
    void unlock() { LeaveCriticalSection(&section); }
};
