#pragma once
#include "hostlib/graphics/PixelColour.h"

#include <cstdint>

// Read-only view of a texture's pixels: straight-alpha BGRA, rows top first, no padding.
struct TexelView {
    const uint8_t *bgra = nullptr;
    unsigned width = 0;
    unsigned height = 0;
};

struct SamplingMode {
    bool point = false;   // nearest texel instead of bilinear
    bool wrapU = false;   // repeat instead of clamping to the edge texel
    bool wrapV = false;
};

// Samples at texture coordinates (u, v), 0..1 spanning the texture; texel centres sit at
// (i + 0.5) / width, so a 1:1 draw lands exactly on texels with either filter.
PremultipliedColour SampleTexels(const TexelView &texels, const SamplingMode &mode, double u, double v);

// The same in two steps, for drawing: where a coordinate falls along one axis (worked out
// once per column or row), then the sample of a column tap and a row tap.
struct AxisTap {
    long long first = 0;          // the texel (point), or the left/upper one of two (linear)
    long long second = 0;
    double weightOfSecond = 0.0;  // 0 with point sampling
};
AxisTap TapAlongU(const TexelView &texels, const SamplingMode &mode, double u);
AxisTap TapAlongV(const TexelView &texels, const SamplingMode &mode, double v);
// Needs texels with pixels and both sides above 0.
PremultipliedColour SampleTaps(const TexelView &texels, const SamplingMode &mode, const AxisTap &x,
                               const AxisTap &y);
