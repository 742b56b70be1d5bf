#include "companion/plauditor/FollowPlan.h"

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
