#include "source/TextFormatRules.h"

namespace {
constexpr int kNear = 0;
constexpr int kCenter = 1;
constexpr int kFar = 2;
} // namespace

int StringFormatFlagsFor(bool vertical)
{
    return vertical ? kVerticalFormatFlags : kHorizontalFormatFlags;
}

FormatAlignment ChooseAlignment(bool vertical, bool useTextExtents, bool wrap, int align)
{
    using Call = FormatAlignment::Call;
    if (!useTextExtents || !wrap) {
        if (vertical)
            return {Call::LineAlign, kFar};
        return {};
    }
    if (align < 0 || align > 2)
        return {};
    if (!vertical)
        return {Call::Align, align};
    static constexpr int kMirrored[] = {kFar, kCenter, kNear};
    return {Call::LineAlign, kMirrored[align]};
}
