#include "companion/plauditor/SceneLock.h"

namespace {

bool Acquired(DWORD wait, DWORD first) { return wait == first || wait == WAIT_ABANDONED_0 + (first - WAIT_OBJECT_0); }

} // namespace

std::optional<SceneLock> SceneLock::Claim(const std::wstring &sceneGuid, Outcome &outcome, DWORD &error)
{
    const std::wstring name = L"VantoPlauditorScene" + sceneGuid;
    win::UniqueHandle mutex(CreateMutexW(nullptr, FALSE, name.c_str()));
    error = GetLastError();
    if (!mutex) {
        // A different kind of object under that name, or no rights to it: someone else's.
        outcome = error == ERROR_ACCESS_DENIED ? Outcome::HeldElsewhere : Outcome::Failed;
        return std::nullopt;
    }
    // Abandoned: the companion before us ended without letting go; the scene is ours now.
    const bool owned = Acquired(WaitForSingleObject(mutex.get(), 0), WAIT_OBJECT_0);
    outcome = owned ? Outcome::Claimed : Outcome::HeldElsewhere;
    error = ERROR_SUCCESS;
    return SceneLock(std::move(mutex), owned);
}

bool SceneLock::WaitForTurn(HANDLE stopWaiting)
{
    if (!held) {
        const HANDLE waits[] = {stopWaiting, mutex.get()};
        held = Acquired(WaitForMultipleObjects(2, waits, FALSE, INFINITE), WAIT_OBJECT_0 + 1);
    }
    return held;
}

SceneLock::~SceneLock()
{
    if (held)
        ReleaseMutex(mutex.get());
}
