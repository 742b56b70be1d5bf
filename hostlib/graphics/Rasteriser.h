#pragma once
#include "hostlib/graphics/FrameBuffer.h"
#include "hostlib/graphics/TexelSampling.h"

#include <cstdint>

// Pixels [x, x + cx) x [y, y + cy) that drawing may touch.
struct ClipRect {
    long long x = 0, y = 0, cx = 0, cy = 0;
};

// A rectangle in frame coordinates with the texture coordinates at its corners.
struct SpriteQuad {
    double x = 0, y = 0, x2 = 0, y2 = 0;
    double u = 0, v = 0, u2 = 1, v2 = 1;
};

// A pixel is covered when its centre (i + 0.5, j + 0.5) lies in [x, x2) x [y, y2); quads
// given right-to-left or bottom-to-top are drawn mirrored. Sampling happens at the centre.
void DrawTexturedQuad(FrameBuffer &frame, const ClipRect &clip, const SpriteQuad &quad,
                      const TexelView &texels, const SamplingMode &mode, uint32_t tint);
void FillQuad(FrameBuffer &frame, const ClipRect &clip, double x, double y, double x2, double y2,
              const PremultipliedColour &colour);

// The whole frame, or its intersection with a scissor rectangle.
ClipRect FrameClip(const FrameBuffer &frame);
ClipRect IntersectClip(const ClipRect &a, const ClipRect &b);
