#pragma once
// One companion per scene: a named mutex that exists while the first companion runs.
#include "companion/blockwriter/UniqueHandle.h"

#include <optional>
#include <string>

class SceneLock {
    UniqueHandle mutex;
    explicit SceneLock(UniqueHandle h) : mutex(std::move(h)) {}

public:
    enum class Outcome { Claimed, HeldElsewhere, Failed };

    // Claimed: the lock is held until this object goes. HeldElsewhere: another companion
    // serves the scene. Failed: error holds the system's code.
    static std::optional<SceneLock> Claim(const std::wstring &sceneGuid, Outcome &outcome, DWORD &error);
};
