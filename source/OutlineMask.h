#pragma once
// A long outline is stroked in portions (GlyphPathRuns.h), and where the strokes of two
// portions overlap a translucent pen would blend twice, showing seams. So a translucent
// outline is stroked with an opaque pen into a mask, and the mask laid over the texture once
// at the pen's colour and alpha. The mask goes in bands, so it never costs more than a few
// megabytes whatever the texture's size. Pure: points, rows and pixel memory.
#include "source/GlyphPathRuns.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// Texture rows [top, bottom).
struct PixelRows {
    unsigned top = 0;
    unsigned bottom = 0;
};

// The rows a stroke of the run's figures can touch: their points' rows, `reach` more above
// and below (half the pen and a pixel for antialiasing), held to [0, height). Empty for a
// run without points or reaching no row.
PixelRows RowsOfRun(const PathRun &run, float reach, unsigned height);

// Rows [top, bottom) cut into bands of at most maxBandPixels pixels of width each (at least
// one row a band).
std::vector<PixelRows> MaskBands(PixelRows rows, unsigned width, std::size_t maxBandPixels);

// `colour` (ARGB, not premultiplied) at `alpha` (0..255) over `pixel`, as GDI+ blends onto
// a PixelFormat32bppARGB bitmap.
std::uint32_t BlendOver(std::uint32_t pixel, std::uint32_t colour, unsigned alpha);

// Lays a mask over rows of a canvas `width` pixels wide (both ARGB, the mask's row 0 being
// rows.top): each pixel gets `colour` at the colour's alpha times the mask's alpha.
void CompositeMask(std::uint32_t *canvas, unsigned width, PixelRows rows, const std::uint32_t *mask,
                   std::uint32_t colour);
