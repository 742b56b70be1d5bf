#pragma once
#include "host/OBSApi.h"

// The two samplers a text source draws with; null when the graphics system makes none.
// Scrolling: linear, wrapping along U and V so the text repeats endlessly.
SamplerState *CreateScrollSampler();
// Point filtering: point, clamped, anisotropy 16.
SamplerState *CreatePointSampler();
