#pragma once
#include "hostlib/graphics/FrameBuffer.h"

// Writes the frame as an 8-bit RGBA PNG file; false when encoding or writing fails.
bool WriteFramePng(const FrameBuffer &frame, const wchar_t *path);
