#include "companion/plauditor/EventFileFollower.h"

#include "companion/plauditor/FileAccess.h"

namespace {

// One poll reads at most this much; the rest comes on the next poll.
constexpr std::size_t kReadChunk = 1024 * 1024;

} // namespace

EventFileFollower::EventFileFollower(std::wstring filePath, bool readExisting)
    : path(std::move(filePath)), position(StartPosition(StampOf(path), readExisting))
{
}

EventFileFollower::News EventFileFollower::Poll()
{
    News news;
    const auto stamp = StampOf(path);
    switch (PlanFollow(position, stamp)) {
    case FollowAction::Wait:
        return news;
    case FollowAction::Lost:
        position = {};
        assembler.Reset();
        news.notes.push_back("events file went away; waiting for it");
        return news;
    case FollowAction::Restart:
        if (position.identity)
            news.notes.push_back("events file was truncated or replaced; reading it from the start");
        position = {stamp->identity, 0};
        assembler.Reset();
        break;
    case FollowAction::Read:
        break;
    }
    const auto bytes = ReadFrom(path, position.offset, kReadChunk);
    if (!bytes) {
        news.notes.push_back("events file could not be read");
        return news;
    }
    position.offset += bytes->size();
    auto result = assembler.Feed(*bytes);
    news.lines = std::move(result.lines);
    if (result.overlongDropped > 0)
        news.notes.push_back("dropped an events line longer than " + std::to_string(kMaxEventLineBytes) + " bytes");
    return news;
}
