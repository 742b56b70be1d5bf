// Thread-safe initialisation of function-local statics, as clang's Microsoft-ABI code calls
// it. A static's guard holds 0 until its first use, -1 while one thread initialises it and
// then the epoch in which it was done; a thread whose own epoch is at least the guard's
// knows the static is ready without taking the lock.
#include <windows.h>

#include <climits>

namespace {

constexpr int kUninitialised = 0;
constexpr int kBeingInitialised = -1;

SRWLOCK lock = SRWLOCK_INIT;
CONDITION_VARIABLE finished = CONDITION_VARIABLE_INIT;
int globalEpoch = INT_MIN;

} // namespace

extern "C" {

thread_local int _Init_thread_epoch = INT_MIN;

// On return the guard is -1 when the caller is to initialise the static, and otherwise it
// is ready.
void _Init_thread_header(int *guard)
{
    AcquireSRWLockExclusive(&lock);
    while (*guard == kBeingInitialised)
        SleepConditionVariableSRW(&finished, &lock, INFINITE, 0);
    if (*guard == kUninitialised)
        *guard = kBeingInitialised;
    else
        _Init_thread_epoch = globalEpoch;
    ReleaseSRWLockExclusive(&lock);
}

void _Init_thread_footer(int *guard)
{
    AcquireSRWLockExclusive(&lock);
    *guard = ++globalEpoch;
    _Init_thread_epoch = globalEpoch;
    ReleaseSRWLockExclusive(&lock);
    WakeAllConditionVariable(&finished);
}

// The initialiser threw: the next use tries again.
void _Init_thread_abort(int *guard)
{
    AcquireSRWLockExclusive(&lock);
    *guard = kUninitialised;
    ReleaseSRWLockExclusive(&lock);
    WakeAllConditionVariable(&finished);
}
}
