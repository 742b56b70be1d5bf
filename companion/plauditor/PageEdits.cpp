#include "companion/plauditor/PageEdits.h"

namespace {
// Edits come from a person clicking; more than this waiting means something loops.
constexpr std::size_t kMaxWaitingEdits = 16;
} // namespace

EditInbox::EditInbox() : wake(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

EditInbox::Result EditInbox::Submit(PageEdit edit, std::chrono::milliseconds patience, std::string &fault)
{
    std::unique_lock lock(mutex);
    if (waiting.size() >= kMaxWaitingEdits)
        return Result::Busy;
    const std::uint64_t id = ++offered;
    waiting.emplace_back(id, std::move(edit));
    SetEvent(wake.get());
    if (!answered.wait_for(lock, patience, [&] { return outcomes.count(id) > 0; })) {
        abandoned.insert(id);  // the main loop still applies it; nobody reads the outcome
        return Result::TimedOut;
    }
    fault = std::move(outcomes[id]);
    outcomes.erase(id);
    return fault.empty() ? Result::Done : Result::Failed;
}

std::optional<std::pair<std::uint64_t, PageEdit>> EditInbox::Take()
{
    std::lock_guard lock(mutex);
    if (waiting.empty()) {
        ResetEvent(wake.get());
        return std::nullopt;
    }
    auto next = std::move(waiting.front());
    waiting.pop_front();
    return next;
}

void EditInbox::Finish(std::uint64_t id, std::string fault)
{
    {
        std::lock_guard lock(mutex);
        if (abandoned.erase(id) == 0)
            outcomes[id] = std::move(fault);
    }
    answered.notify_all();
}
