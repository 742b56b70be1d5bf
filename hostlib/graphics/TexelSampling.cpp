#include "hostlib/graphics/TexelSampling.h"

#include <cmath>

namespace {

// Weights this close to a texel centre count as on it: coordinates computed from pixel
// centres carry rounding noise, and a 1:1 draw must not pick up a neighbour's colour.
constexpr double snapDistance = 1e-4;

long long Address(long long index, unsigned size, bool wrap)
{
    const long long n = size;
    if (wrap) {
        const long long r = index % n;
        return r < 0 ? r + n : r;
    }
    return index < 0 ? 0 : (index >= n ? n - 1 : index);
}

// Keeps texel-space coordinates in a range where the integer conversions stay defined;
// far outside the texture, clamping and (modulo the size) wrapping give the same texel.
double Tame(double texelCoordinate, unsigned size)
{
    if (!std::isfinite(texelCoordinate))
        return 0.0;
    const double limit = 1e12;
    if (std::fabs(texelCoordinate) < limit)
        return texelCoordinate;
    return std::fmod(texelCoordinate, static_cast<double>(size));
}

PremultipliedColour Texel(const TexelView &texels, long long x, long long y)
{
    return ColourFromBgra(texels.bgra + (static_cast<size_t>(y) * texels.width + static_cast<size_t>(x)) * 4);
}

struct Tap {
    long long first;
    long long second;
    double weightOfSecond;
};

Tap LinearTap(double coordinate, unsigned size, bool wrap)
{
    const double s = Tame(coordinate * size, size) - 0.5;
    double base = std::floor(s);
    double fraction = s - base;
    if (fraction < snapDistance) {
        fraction = 0.0;
    } else if (fraction > 1.0 - snapDistance) {
        base += 1.0;
        fraction = 0.0;
    }
    const long long i = static_cast<long long>(base);
    return {Address(i, size, wrap), Address(i + 1, size, wrap), fraction};
}

long long PointTap(double coordinate, unsigned size, bool wrap)
{
    const double s = Tame(coordinate * size, size);
    // A coordinate a hair below a texel boundary belongs to the texel above it.
    return Address(static_cast<long long>(std::floor(s + snapDistance)), size, wrap);
}

PremultipliedColour Mix(const PremultipliedColour &a, const PremultipliedColour &b, double t)
{
    const float w = static_cast<float>(t);
    return {a.r + (b.r - a.r) * w, a.g + (b.g - a.g) * w, a.b + (b.b - a.b) * w, a.a + (b.a - a.a) * w};
}

} // namespace

AxisTap TapAlongU(const TexelView &texels, const SamplingMode &mode, double u)
{
    if (mode.point) {
        const long long texel = PointTap(u, texels.width, mode.wrapU);
        return {texel, texel, 0.0};
    }
    const Tap tap = LinearTap(u, texels.width, mode.wrapU);
    return {tap.first, tap.second, tap.weightOfSecond};
}

AxisTap TapAlongV(const TexelView &texels, const SamplingMode &mode, double v)
{
    if (mode.point) {
        const long long texel = PointTap(v, texels.height, mode.wrapV);
        return {texel, texel, 0.0};
    }
    const Tap tap = LinearTap(v, texels.height, mode.wrapV);
    return {tap.first, tap.second, tap.weightOfSecond};
}

PremultipliedColour SampleTaps(const TexelView &texels, const SamplingMode &mode, const AxisTap &x,
                               const AxisTap &y)
{
    if (mode.point)
        return Texel(texels, x.first, y.first);
    // A weight of 0 mixes in nothing (a + (b - a) * 0 is a), so the neighbour is not read.
    const auto row = [&](long long texelRow) {
        const PremultipliedColour left = Texel(texels, x.first, texelRow);
        if (x.weightOfSecond == 0.0)
            return left;
        return Mix(left, Texel(texels, x.second, texelRow), x.weightOfSecond);
    };
    const PremultipliedColour top = row(y.first);
    if (y.weightOfSecond == 0.0)
        return top;
    return Mix(top, row(y.second), y.weightOfSecond);
}

PremultipliedColour SampleTexels(const TexelView &texels, const SamplingMode &mode, double u, double v)
{
    if (!texels.bgra || texels.width == 0 || texels.height == 0)
        return {};
    return SampleTaps(texels, mode, TapAlongU(texels, mode, u), TapAlongV(texels, mode, v));
}
