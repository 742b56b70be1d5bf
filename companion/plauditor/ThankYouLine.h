#pragma once
// A gift event turned into one line of the text block. Everything user-supplied is made safe
// for the block: no line breaks, no "|" (the reader folds runs of it), nothing invisible.
#include "companion/plauditor/GiftEvent.h"

#include <string>
#include <string_view>

inline constexpr char16_t kDefaultLineTemplate[] = u"感谢 {user} 送出的 {count} 个 {gift}";
inline constexpr char16_t kFullWidthBar = u'\uFF5C';

struct NamePlaceholders {
    std::u16string user = u"神秘人";
    std::u16string gift = u"礼物";
};

// Control characters (CR, LF, NUL, tabs ...) and other line or paragraph separators become
// spaces, "|" becomes the full-width bar, and blanks at both ends are dropped. May return
// an empty text, which is never published.
std::u16string SanitiseLineText(std::u16string_view text);

// "{user}", "{gift}" and "{count}" replaced in one pass, so braces inside a name are never
// expanded again. An empty (or blank) name shows its placeholder. The result is sanitised.
std::u16string ThankYouLine(std::u16string_view lineTemplate, const GiftEvent &event,
                            const NamePlaceholders &placeholders);
