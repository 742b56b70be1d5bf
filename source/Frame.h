#pragma once
// The source's frame: reading the channels before it, scrolling in Tick, drawing in Render.
#include "host/OBSApi.h"

#include <cstdint>

// The two samplers a text source draws with; null when the graphics system makes none.
// Scrolling: linear, wrapping along U and V so the text repeats endlessly.
SamplerState *CreateScrollSampler();
// Point filtering: point, clamped, anisotropy 16.
SamplerState *CreatePointSampler();

// Scroll arithmetic of the text source, as pure functions.

// Brings an offset into -1..1 the way "subtract 1 while above 1, then add 1 while below -1"
// would, in single precision, but in bounded time for every input: offsets so large that
// subtracting 1 no longer changes a float land on 1 (or -1), as whole numbers do, and
// infinities and NaN restart at 0.
float WrapScrollOffset(float offset);

// The offset after `seconds` at `speed` texture pixels per second. The step runs along the
// texture width, or against the height for vertical text. A texture side of 0 (or less)
// leaves the offset unchanged rather than dividing by it.
float AdvanceScrollOffset(float offset, int speed, float seconds, int textureWidth,
                          int textureHeight, bool vertical);

// The remaining highlight time after `seconds`; only a running highlight counts down.
float CountDownHighlight(float remaining, float seconds);

// Alpha of the extent highlight: full until its last second, then fading with it.
float HighlightAlpha(float remaining);

// The draw colour 0xAARRGGBB for an opacity in percent (100 gives alpha 254).
std::uint32_t DrawColourForOpacity(int opacityPercent);

// Float to int, truncating toward zero, saturating instead of overflowing.
int TruncateToInt(float value);
