#include "hostlib/graphics/Rasteriser.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {

// Columns (or rows) whose centres fall in [from, to), limited to [clipFrom, clipTo).
struct Span {
    long long first = 0;
    long long end = 0;   // one past the last
    bool Empty() const { return end <= first; }
};

Span CoveredSpan(double from, double to, long long clipFrom, long long clipTo)
{
    Span span;
    if (!std::isfinite(from) || !std::isfinite(to))
        return span;
    // Bounded before conversion so huge coordinates cannot overflow.
    const double lo = std::clamp(std::ceil(from - 0.5), static_cast<double>(clipFrom), static_cast<double>(clipTo));
    const double hi = std::clamp(std::ceil(to - 0.5), static_cast<double>(clipFrom), static_cast<double>(clipTo));
    span.first = static_cast<long long>(lo);
    span.end = static_cast<long long>(hi);
    return span;
}

} // namespace

ClipRect FrameClip(const FrameBuffer &frame)
{
    return {0, 0, frame.Width(), frame.Height()};
}

ClipRect IntersectClip(const ClipRect &a, const ClipRect &b)
{
    const long long left = std::max(a.x, b.x);
    const long long top = std::max(a.y, b.y);
    const long long right = std::min(a.x + std::max(a.cx, 0LL), b.x + std::max(b.cx, 0LL));
    const long long bottom = std::min(a.y + std::max(a.cy, 0LL), b.y + std::max(b.cy, 0LL));
    return {left, top, std::max(right - left, 0LL), std::max(bottom - top, 0LL)};
}

void DrawTexturedQuad(FrameBuffer &frame, const ClipRect &clip, const SpriteQuad &given,
                      const TexelView &texels, const SamplingMode &mode, uint32_t tint)
{
    SpriteQuad quad = given;
    if (quad.x2 < quad.x) {
        std::swap(quad.x, quad.x2);
        std::swap(quad.u, quad.u2);
    }
    if (quad.y2 < quad.y) {
        std::swap(quad.y, quad.y2);
        std::swap(quad.v, quad.v2);
    }
    const ClipRect area = IntersectClip(clip, FrameClip(frame));
    const Span columns = CoveredSpan(quad.x, quad.x2, area.x, area.x + area.cx);
    const Span rows = CoveredSpan(quad.y, quad.y2, area.y, area.y + area.cy);
    if (columns.Empty() || rows.Empty())
        return;

    if (!texels.bgra || texels.width == 0 || texels.height == 0)
        return;   // samples as transparent black, which blends to nothing

    // Every row samples the same columns: their taps are worked out once per quad.
    const double width = quad.x2 - quad.x;
    const double height = quad.y2 - quad.y;
    std::vector<AxisTap> columnTaps;
    columnTaps.reserve(static_cast<size_t>(columns.end - columns.first));
    for (long long i = columns.first; i < columns.end; ++i)
        columnTaps.push_back(TapAlongU(texels, mode, quad.u + (i + 0.5 - quad.x) / width * (quad.u2 - quad.u)));

    const PremultipliedColour tintColour = ColourFromArgb(tint);
    for (long long j = rows.first; j < rows.end; ++j) {
        const AxisTap rowTap = TapAlongV(texels, mode, quad.v + (j + 0.5 - quad.y) / height * (quad.v2 - quad.v));
        uint8_t *pixel = frame.PixelAt(static_cast<unsigned>(columns.first), static_cast<unsigned>(j));
        for (const AxisTap &columnTap : columnTaps) {
            BlendOver(pixel, Modulate(SampleTaps(texels, mode, columnTap, rowTap), tintColour));
            pixel += 4;
        }
    }
}

void FillQuad(FrameBuffer &frame, const ClipRect &clip, double x, double y, double x2, double y2,
              const PremultipliedColour &colour)
{
    if (x2 < x)
        std::swap(x, x2);
    if (y2 < y)
        std::swap(y, y2);
    const ClipRect area = IntersectClip(clip, FrameClip(frame));
    const Span columns = CoveredSpan(x, x2, area.x, area.x + area.cx);
    const Span rows = CoveredSpan(y, y2, area.y, area.y + area.cy);
    if (columns.Empty() || rows.Empty())
        return;
    for (long long j = rows.first; j < rows.end; ++j) {
        uint8_t *pixel = frame.PixelAt(static_cast<unsigned>(columns.first), static_cast<unsigned>(j));
        for (long long i = columns.first; i < columns.end; ++i, pixel += 4)
            BlendOver(pixel, colour);
    }
}
