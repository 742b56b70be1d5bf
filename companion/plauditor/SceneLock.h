#pragma once
// One companion per scene: a named mutex owned by the companion that serves the scene. The
// system releases it when that companion ends, however it ends, so a companion started for the
// same scene meanwhile can wait for it and take over.
#include "win/Handle.h"

#include <optional>
#include <string>

class SceneLock {
    win::UniqueHandle mutex;
    bool held = false;
    SceneLock(win::UniqueHandle h, bool owned) : mutex(std::move(h)), held(owned) {}

public:
    enum class Outcome { Claimed, HeldElsewhere, Failed };

    // Claimed: the lock is held until this object goes. HeldElsewhere: another companion
    // serves the scene; the lock comes back when one can wait for it (WaitForTurn), nothing
    // when the name belongs to an object of another kind. Failed: error holds the system's code.
    static std::optional<SceneLock> Claim(const std::wstring &sceneGuid, Outcome &outcome, DWORD &error);

    // Waits until the other companion has ended and the lock is ours (true), or until
    // stopWaiting (the host process) is signalled first (false).
    bool WaitForTurn(HANDLE stopWaiting);

    SceneLock(SceneLock &&other) noexcept : mutex(std::move(other.mutex)), held(std::exchange(other.held, false)) {}
    SceneLock &operator=(SceneLock &&) = delete;
    ~SceneLock();
};
