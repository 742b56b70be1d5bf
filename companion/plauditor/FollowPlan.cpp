#include "companion/plauditor/FollowPlan.h"

#include <algorithm>

FollowAction PlanFollow(const FollowPosition &position, const std::optional<FileStamp> &now)
{
    if (!now)
        return position.identity ? FollowAction::Lost : FollowAction::Wait;
    if (!position.identity)
        return now->size > 0 ? FollowAction::Restart : FollowAction::Wait;
    if (*position.identity != now->identity || now->size < position.offset)
        return FollowAction::Restart;
    return now->size > position.offset ? FollowAction::Read : FollowAction::Wait;
}

FollowPosition StartPosition(const std::optional<FileStamp> &now, bool readExisting)
{
    if (!now)
        return {};
    return {now->identity, readExisting ? 0 : now->size};
}

unsigned LoopWaitMilliseconds(const LoopPace &pace)
{
    constexpr unsigned kListening = 20;
    constexpr unsigned kPolling = 100;
    constexpr unsigned kWatched = 1000;
    constexpr std::int64_t kBusyFor = 5000;  // after lines came, poll as if unwatched this long
    const bool busy = pace.sinceLines >= 0 && pace.sinceLines < kBusyFor;
    unsigned wait = pace.listening ? kListening : pace.filesWatched && !busy ? kWatched : kPolling;
    if (pace.untilLeaving)
        wait = static_cast<unsigned>(std::clamp<std::int64_t>(*pace.untilLeaving, 0, wait));
    return wait;
}
