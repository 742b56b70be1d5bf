#include "companion/plauditor/SceneLock.h"

std::optional<SceneLock> SceneLock::Claim(const std::wstring &sceneGuid, Outcome &outcome, DWORD &error)
{
    const std::wstring name = L"VantoPlauditorScene" + sceneGuid;
    UniqueHandle mutex(CreateMutexW(nullptr, FALSE, name.c_str()));
    error = GetLastError();
    if (!mutex) {
        // A different kind of object under that name, or no rights to it: someone else's.
        outcome = error == ERROR_ACCESS_DENIED ? Outcome::HeldElsewhere : Outcome::Failed;
        return std::nullopt;
    }
    if (error == ERROR_ALREADY_EXISTS) {
        outcome = Outcome::HeldElsewhere;
        return std::nullopt;
    }
    outcome = Outcome::Claimed;
    error = ERROR_SUCCESS;
    return SceneLock(std::move(mutex));
}
