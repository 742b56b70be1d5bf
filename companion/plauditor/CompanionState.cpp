#include "companion/plauditor/CompanionState.h"

#include "companion/plauditor/Utf.h"

#include <nlohmann/json.hpp>


EventInbox::EventInbox(std::size_t maxWaiting)
    : capacity(maxWaiting), wake(CreateEventW(nullptr, TRUE, FALSE, nullptr))
{
}

std::optional<std::uint64_t> EventInbox::Offer(std::vector<GiftEvent> events)
{
    std::lock_guard lock(mutex);
    if (waiting.size() + events.size() > capacity)
        return std::nullopt;
    for (auto &event : events)
        waiting.push_back(std::move(event));
    SetEvent(wake.get());
    return ++offeredBatches;
}

std::vector<GiftEvent> EventInbox::Take(std::uint64_t &batch)
{
    std::lock_guard lock(mutex);
    ResetEvent(wake.get());
    batch = offeredBatches;
    return std::exchange(waiting, {});
}

void EventInbox::MarkPublished(std::uint64_t batch)
{
    {
        std::lock_guard lock(mutex);
        publishedBatches = std::max(publishedBatches, batch);
    }
    published.notify_all();
}

bool EventInbox::WaitPublished(std::uint64_t batch, std::chrono::milliseconds patience)
{
    std::unique_lock lock(mutex);
    return published.wait_for(lock, patience, [&] { return publishedBatches >= batch; });
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
