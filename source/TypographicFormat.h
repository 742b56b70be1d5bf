#pragma once
#include "source/GdiplusHandles.h"

// The generic typographic string format of GDI+, fetched into one process-wide slot on
// every use and never modified: every caller works on its own clone.

// A clone of the generic typographic format with `flags` replacing its format flags and
// word trimming. Statuses of the clone's calls are kept in the returned owner; when the
// clone fails it holds no format.
GdipStringFormat CloneTypographicFormat(int flags);

// The process-wide slot as last fetched (null before the first use).
Gdiplus::GpStringFormat *SharedTypographicFormat();
