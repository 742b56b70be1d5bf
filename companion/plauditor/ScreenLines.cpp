#include "companion/plauditor/ScreenLines.h"

#include <algorithm>
#include <limits>

namespace {

const GiftLineRule *RuleFor(const GiftRules &rules, const std::u16string &gift)
{
    const auto found = rules.gifts.find(SanitiseLineText(gift));
    return found == rules.gifts.end() ? nullptr : &found->second;
}

std::uint64_t SaturatingSum(std::uint64_t a, std::uint64_t b)
{
    return a > std::numeric_limits<std::uint64_t>::max() - b ? std::numeric_limits<std::uint64_t>::max() : a + b;
}

} // namespace

ScreenLines::Outcome ScreenLines::Add(const GiftEvent &event, const PlauditorSettings &settings, std::int64_t now)
{
    const GiftRules &rules = settings.rules;
    const GiftLineRule *own = RuleFor(rules, event.gift);
    const std::u16string &lineTemplate = own && !own->lineTemplate.empty() ? own->lineTemplate : settings.lineTemplate;

    // Anonymous senders are never merged: two of them are most likely two viewers.
    Line *combo = nullptr;
    if (rules.comboMilliseconds > 0 && !SanitiseLineText(event.user).empty())
        for (auto it = lines.rbegin(); it != lines.rend() && !combo; ++it)
            if (it->user == event.user && it->gift == event.gift && now - it->lastEventAt <= rules.comboMilliseconds)
                combo = &*it;

    if (combo) {
        GiftEvent merged = event;
        merged.count = SaturatingSum(combo->count, event.count);
        std::u16string text = ThankYouLine(lineTemplate, merged, settings.placeholders);
        if (text.empty())
            return Outcome::Refused;
        combo->count = merged.count;
        combo->lastEventAt = now;
        combo->text = std::move(text);
        return Outcome::Merged;
    }

    if (event.count < (own && own->minCount > 0 ? own->minCount : rules.minCount))
        return Outcome::Hidden;
    std::u16string text = ThankYouLine(lineTemplate, event, settings.placeholders);
    if (text.empty())
        return Outcome::Refused;
    lines.push_back({event.user, event.gift, event.count, now, std::move(text)});
    Fit(settings);
    return Outcome::Added;
}

bool ScreenLines::Expire(const PlauditorSettings &settings, std::int64_t now)
{
    const std::int64_t keep = settings.rules.lineMilliseconds;
    if (keep <= 0)
        return false;
    const auto before = lines.size();
    std::erase_if(lines, [&](const Line &line) { return now - line.lastEventAt >= keep; });
    return lines.size() != before;
}

std::optional<std::int64_t> ScreenLines::UntilLeaving(const PlauditorSettings &settings, std::int64_t now) const
{
    const std::int64_t keep = settings.rules.lineMilliseconds;
    if (keep <= 0 || lines.empty())
        return std::nullopt;
    std::int64_t oldest = lines.front().lastEventAt;
    for (const Line &line : lines)
        oldest = std::min(oldest, line.lastEventAt);
    return std::max<std::int64_t>(oldest + keep - now, 0);
}

bool ScreenLines::Fit(const PlauditorSettings &settings)
{
    const std::size_t capacity = std::max<std::size_t>(settings.recentLines, 1);
    bool dropped = false;
    while (lines.size() > capacity) {
        lines.pop_front();
        dropped = true;
    }
    return dropped;
}

std::vector<std::u16string> ScreenLines::OldestFirst() const
{
    std::vector<std::u16string> texts;
    for (const Line &line : lines)
        texts.push_back(line.text);
    return texts;
}
