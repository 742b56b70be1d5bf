#include "companion/plauditor/ThankYouLine.h"

#include "companion/plauditor/Utf.h"

namespace {

bool IsBreakingOrInvisible(char16_t c)
{
    return c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0) || c == 0x2028 || c == 0x2029;
}

bool IsBlank(char16_t c) { return c == u' ' || c == 0x3000; }

std::u16string NameOrPlaceholder(std::u16string_view name, std::u16string_view placeholder)
{
    std::u16string safe = SanitiseLineText(name);
    return safe.empty() ? SanitiseLineText(placeholder) : safe;
}

} // namespace

std::u16string SanitiseLineText(std::u16string_view text)
{
    std::u16string safe;
    safe.reserve(text.size());
    for (const char16_t c : text) {
        if (IsBreakingOrInvisible(c))
            safe += u' ';
        else if (c == u'|')
            safe += kFullWidthBar;
        else
            safe += c;
    }
    std::size_t begin = 0;
    std::size_t end = safe.size();
    while (begin < end && IsBlank(safe[begin]))
        ++begin;
    while (end > begin && IsBlank(safe[end - 1]))
        --end;
    return safe.substr(begin, end - begin);
}

std::u16string ThankYouLine(std::u16string_view lineTemplate, const GiftEvent &event,
                            const NamePlaceholders &placeholders)
{
    const std::u16string user = NameOrPlaceholder(event.user, placeholders.user);
    const std::u16string gift = NameOrPlaceholder(event.gift, placeholders.gift);
    const std::u16string count = Ascii16(std::to_string(event.count));

    std::u16string line;
    std::size_t i = 0;
    while (i < lineTemplate.size()) {
        const std::u16string_view rest = lineTemplate.substr(i);
        if (rest.substr(0, 6) == u"{user}") {
            line += user;
            i += 6;
        } else if (rest.substr(0, 6) == u"{gift}") {
            line += gift;
            i += 6;
        } else if (rest.substr(0, 7) == u"{count}") {
            line += count;
            i += 7;
        } else {
            line += lineTemplate[i++];
        }
    }
    return SanitiseLineText(line);
}
