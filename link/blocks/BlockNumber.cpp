#include "link/blocks/BlockNumber.h"

#include <limits>

namespace {

bool IsBlockSpace(char16_t unit)
{
    return unit == u' ' || (unit >= u'\t' && unit <= u'\r');
}

} // namespace

std::int32_t ParseBlockNumber(std::u16string_view text)
{
    std::size_t position = 0;
    while (position < text.size() && IsBlockSpace(text[position]))
        ++position;

    bool negative = false;
    if (position < text.size() && (text[position] == u'-' || text[position] == u'+'))
        negative = text[position++] == u'-';

    // The magnitude stops growing once it is past the range, so no digit run can overflow it.
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    while (position < text.size() && text[position] >= u'0' && text[position] <= u'9') {
        if (magnitude <= kLimit)
            magnitude = magnitude * 10 + (text[position] - u'0');
        ++position;
    }

    if (negative)
        return magnitude >= kLimit ? std::numeric_limits<std::int32_t>::min()
                                   : static_cast<std::int32_t>(-magnitude);
    return magnitude >= kLimit ? std::numeric_limits<std::int32_t>::max()
                               : static_cast<std::int32_t>(magnitude);
}
