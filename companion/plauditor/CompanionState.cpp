#include "companion/plauditor/CompanionState.h"

#include "companion/plauditor/Utf.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdio>

EventInbox::EventInbox(std::size_t maxWaiting)
    : capacity(maxWaiting), wake(CreateEventW(nullptr, TRUE, FALSE, nullptr))
{
}

std::optional<std::uint64_t> EventInbox::Offer(std::vector<GiftEvent> events)
{
    std::lock_guard lock(mutex);
    if (waitingEvents + events.size() > capacity)
        return std::nullopt;
    waitingEvents += events.size();
    waiting.push_back({++offeredBatches, std::move(events)});
    SetEvent(wake.get());
    return offeredBatches;
}

std::vector<GiftEvent> EventInbox::Take(std::uint64_t &batch)
{
    std::lock_guard lock(mutex);
    ResetEvent(wake.get());
    batch = takenBatches = offeredBatches;
    std::vector<GiftEvent> events;
    events.reserve(waitingEvents);
    for (auto &offered : waiting)
        for (auto &event : offered.events)
            events.push_back(std::move(event));
    waiting.clear();
    waitingEvents = 0;
    return events;
}

void EventInbox::MarkPublished(std::uint64_t batch, bool shown)
{
    // Failures are rare and their waiters few: a short memory of them is enough.
    constexpr std::size_t kUnshownKept = 16;
    {
        std::lock_guard lock(mutex);
        if (!shown && batch > publishedBatches) {
            unshown.emplace_back(publishedBatches, batch);
            if (unshown.size() > kUnshownKept)
                unshown.pop_front();
        }
        publishedBatches = std::max(publishedBatches, batch);
    }
    published.notify_all();
}

bool EventInbox::Shown(std::uint64_t batch) const
{
    return publishedBatches >= batch &&
           std::none_of(unshown.begin(), unshown.end(),
                        [&](const auto &range) { return batch > range.first && batch <= range.second; });
}

bool EventInbox::WaitPublished(std::uint64_t batch, std::chrono::milliseconds patience)
{
    std::unique_lock lock(mutex);
    return published.wait_for(lock, patience, [&] { return publishedBatches >= batch; }) && Shown(batch);
}

bool EventInbox::Withdraw(std::uint64_t batch)
{
    std::lock_guard lock(mutex);
    const auto found = std::find_if(waiting.begin(), waiting.end(), [&](const Batch &b) { return b.number == batch; });
    if (found == waiting.end())
        return false;
    waitingEvents -= found->events.size();
    waiting.erase(found);
    if (waiting.empty())
        ResetEvent(wake.get());
    return true;
}

void SharedView::Set(CompanionView next)
{
    std::lock_guard lock(mutex);
    view = std::move(next);
}

CompanionView SharedView::Get() const
{
    std::lock_guard lock(mutex);
    return view;
}

std::string StateJson(const CompanionView &view, std::uint64_t taken, std::uint64_t refused, std::uint16_t port)
{
    nlohmann::ordered_json lines = nlohmann::ordered_json::array();
    for (const auto &line : view.lines)
        lines.push_back(Utf16ToUtf8(line));
    const nlohmann::ordered_json state = {
        {"scene", Utf16ToUtf8(view.scene)},
        {"lines", lines},
        {"textSequence", view.textSequence},
        {"style", StyleJson(view.style)},
        {"rules", GiftRulesJson(view.rules)},
        {"events", {{"taken", taken}, {"refused", refused}, {"hidden", view.hidden}}},
        {"http", {{"address", "127.0.0.1"}, {"port", port}}},
    };
    // Names come from viewers: whatever they hold, the answer stays valid UTF-8 JSON.
    return state.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}
