#include "source/ScrollMath.h"

#include <cmath>
#include <climits>

namespace {
// Below this magnitude a float holds every integer and x - 1 is exact, so the repeated
// subtraction removes exactly ceil(x - 1) ones.
constexpr float kExactIntegerLimit = 16777216.0f;  // 2^24
}

float WrapScrollOffset(float offset)
{
    if (!std::isfinite(offset))
        return 0.0f;
    if (offset > 1.0f) {
        if (offset > kExactIntegerLimit)
            return 1.0f;  // a whole number: the subtraction stops on exactly 1
        return offset - std::ceil(offset - 1.0f);
    }
    if (offset < -1.0f) {
        if (offset < -kExactIntegerLimit)
            return -1.0f;
        return offset + std::ceil(-1.0f - offset);
    }
    return offset;
}

float AdvanceScrollOffset(float offset, int speed, float seconds, int textureWidth,
                          int textureHeight, bool vertical)
{
    const int side = vertical ? textureHeight : textureWidth;
    if (side <= 0)
        return offset;
    const float divisor = vertical ? -static_cast<float>(textureHeight)
                                   : static_cast<float>(textureWidth);
    const float step = (static_cast<float>(speed) * seconds) / divisor;
    return WrapScrollOffset(offset + step);
}

float CountDownHighlight(float remaining, float seconds)
{
    return remaining > 0.0f ? remaining - seconds : remaining;
}

float HighlightAlpha(float remaining)
{
    return remaining < 1.0f ? remaining : 1.0f;
}

std::uint32_t DrawColourForOpacity(int opacityPercent)
{
    const auto alpha = static_cast<std::uint32_t>(static_cast<int>(opacityPercent * 2.55));
    return (alpha << 24) | 0x00FFFFFFu;
}

int TruncateToInt(float value)
{
    if (std::isnan(value))
        return 0;
    if (value >= 2147483647.0f)
        return INT_MAX;
    if (value <= -2147483648.0f)
        return INT_MIN;
    return static_cast<int>(value);
}
