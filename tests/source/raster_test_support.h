#pragma once
// Helpers of the rasterisation tests: a source on a scene tree, drawn through the process's
// recording graphics system, and access to the pixels of its texture.
#include "source/TextOutputSource.h"
#include "support/LogCapture.h"
#include "support/ProcessGraphics.h"
#include "support/SceneTree.h"

#include <gtest/gtest.h>
#include <cstdint>
#include <cstring>
#include <new>
#include <string>
#include <vector>

namespace raster_test {

// BGRA bytes as the texture holds them, read as 0xAARRGGBB.
inline std::uint32_t PixelAt(const Texture *texture, unsigned x, unsigned y)
{
    const BYTE *row = HostTexturePixels(texture) + static_cast<size_t>(y) * texture->Width() * 4;
    const BYTE *p = row + static_cast<size_t>(x) * 4;
    return (std::uint32_t(p[3]) << 24) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[1]) << 8) |
           std::uint32_t(p[0]);
}

inline unsigned Alpha(std::uint32_t argb) { return argb >> 24; }
inline unsigned Red(std::uint32_t argb) { return (argb >> 16) & 0xFF; }
inline unsigned Green(std::uint32_t argb) { return (argb >> 8) & 0xFF; }
inline unsigned Blue(std::uint32_t argb) { return argb & 0xFF; }

class RasterTest : public ::testing::Test {
protected:
    GraphicsSystem *graphics = ProcessGraphics();
    LogCapture log;
    SceneTree tree;
    XElement *data = tree.NewDataElement();
    TextOutputSource *source = nullptr;

    void SetUp() override
    {
        void *storage = Allocate(sizeof(TextOutputSource));
        std::memset(storage, 0, sizeof(TextOutputSource));
        source = new (storage) TextOutputSource(data);
        HostClearGraphicsRecording(graphics);
        log.Clear();
    }
    void TearDown() override { delete source; }

    void Rasterise(CTSTR text)
    {
        source->textSetting = text;
        source->UpdateTexture();
    }

    std::vector<RecordedGraphicsCall> Calls() const { return HostGraphicsRecording(graphics); }
    std::vector<std::string> CallNames() const { return HostGraphicsCallNames(graphics); }
    std::uint32_t Pixel(unsigned x, unsigned y) const { return PixelAt(source->texture, x, y); }
};

} // namespace raster_test
