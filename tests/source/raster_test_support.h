#pragma once
// Helpers of the rasterisation tests: a source on a scene tree, drawn through the process's
// recording graphics system, and the pixels of its texture.
#include "source/GdiplusHandles.h"
#include "source/Rasterise.h"
#include "source/TextOutputSource.h"
#include "support/LogCapture.h"
#include "support/NewTextSource.h"
#include "support/ProcessGraphics.h"
#include "support/SceneTree.h"

#include <gtest/gtest.h>
#include <cstdint>
#include <string>
#include <vector>

namespace raster_test {

inline unsigned Alpha(std::uint32_t argb) { return argb >> 24; }

// The height GDI+ measures for text in the source's default font ("Arial" 48) at a width,
// the way scroll mode measures its lines.
inline float MeasuredHeight(CTSTR text, float width)
{
    const win::MemoryDC dc(CreateCompatibleDC(nullptr));
    const win::FontHandle gdiFont = CreateTextFont(String(L"Arial"), TextFontStyle{48, false, false, false});
    const GdipFont font = CreateGdiplusFont(dc.get(), gdiFont.get());
    GdipGraphics graphics;
    graphics.Check(gdip::GdipCreateFromHDC(dc.get(), graphics.receive()));
    const Gdiplus::RectF layout(0.0f, 0.0f, width, 32000.0f);
    Gdiplus::RectF box(0.0f, 0.0f, 0.0f, 0.0f);
    EXPECT_EQ(gdip::GdipMeasureString(graphics.get(), text, -1, font.get(), &layout, nullptr, &box,
                                      nullptr, nullptr),
              Gdiplus::Ok);
    return box.Height;
}

class RasterTest : public ::testing::Test {
protected:
    GraphicsSystem *graphics = ProcessGraphics();
    LogCapture log;
    SceneTree tree;
    TextOutputSource *source = nullptr;

    void SetUp() override
    {
        source = NewTextSource(tree.NewDataElement());
        HostClearGraphicsRecording(graphics);
        log.Clear();
    }
    void TearDown() override { delete source; }

    void Rasterise(CTSTR text)
    {
        source->textSetting = text;
        source->UpdateTexture();
    }

    std::vector<std::string> CallNames() const { return HostGraphicsCallNames(graphics); }

    // The texel as 0xAARRGGBB (the texture holds blue, green, red, alpha).
    std::uint32_t Pixel(unsigned x, unsigned y) const
    {
        const BYTE *p = HostTexturePixels(source->texture) +
                        (static_cast<size_t>(y) * source->texture->Width() + x) * 4;
        return (std::uint32_t(p[3]) << 24) | (p[2] << 16) | (p[1] << 8) | p[0];
    }
};

} // namespace raster_test
