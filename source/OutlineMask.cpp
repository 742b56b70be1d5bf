#include "source/OutlineMask.h"

#include <algorithm>
#include <cmath>

PixelRows RowsOfRun(const PathRun &run, float reach, unsigned height)
{
    if (run.points.empty())
        return {};
    float top = run.points[0].y, bottom = run.points[0].y;
    for (const PathPoint &point : run.points) {
        top = std::min(top, point.y);
        bottom = std::max(bottom, point.y);
    }
    top = std::floor(top - reach);
    bottom = std::ceil(bottom + reach) + 1.0f;
    // Written so that NaN leaves the run out.
    if (!(bottom > 0.0f && top < static_cast<float>(height)))
        return {};
    const unsigned first = top > 0.0f ? static_cast<unsigned>(top) : 0u;
    const unsigned last = bottom < static_cast<float>(height) ? static_cast<unsigned>(bottom) : height;
    return {first, last};
}

std::vector<PixelRows> MaskBands(PixelRows rows, unsigned width, std::size_t maxBandPixels)
{
    std::vector<PixelRows> bands;
    const std::size_t bandRows = std::max<std::size_t>(1, maxBandPixels / std::max(width, 1u));
    for (std::size_t top = rows.top; top < rows.bottom; top += bandRows)
        bands.push_back({static_cast<unsigned>(top),
                         static_cast<unsigned>(std::min<std::size_t>(top + bandRows, rows.bottom))});
    return bands;
}

std::uint32_t BlendOver(std::uint32_t pixel, std::uint32_t colour, unsigned alpha)
{
    const std::uint32_t rgb = colour & 0xFFFFFF;
    const unsigned below = pixel >> 24;
    if (alpha == 0)
        return pixel;
    if (alpha == 255 || below == 0)
        return (alpha << 24) | rgb;
    // Weights in 255ths squared: the colour's alpha, and what shows of the pixel beneath it.
    const unsigned over = alpha * 255, under = below * (255 - alpha), total = over + under;
    std::uint32_t result = ((total + 127) / 255) << 24;
    for (int shift = 0; shift < 24; shift += 8) {
        const unsigned top = (colour >> shift) & 0xFF, bottom = (pixel >> shift) & 0xFF;
        result |= ((top * over + bottom * under + total / 2) / total) << shift;
    }
    return result;
}

void CompositeMask(std::uint32_t *canvas, unsigned width, PixelRows rows, const std::uint32_t *mask,
                   std::uint32_t colour)
{
    const unsigned penAlpha = colour >> 24;
    for (unsigned y = rows.top; y < rows.bottom; ++y) {
        std::uint32_t *row = canvas + static_cast<std::size_t>(y) * width;
        const std::uint32_t *cover = mask + static_cast<std::size_t>(y - rows.top) * width;
        for (unsigned x = 0; x < width; ++x) {
            const unsigned coverage = cover[x] >> 24;
            if (coverage != 0)
                row[x] = BlendOver(row[x], colour, (coverage * penAlpha + 127) / 255);
        }
    }
}
