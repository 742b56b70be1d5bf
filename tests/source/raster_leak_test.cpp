#include "raster_test_support.h"

#include "hostlib/HostControl.h"
#include "support/HandleProbe.h"
#include "win/Handle.h"

namespace {

TEST(HandleProbe, SeesALeakedDeviceContextAndEvent)
{
    ProbeHandles();
    const HandleProbe before = ProbeHandles();
    win::MemoryDC dc(CreateCompatibleDC(nullptr));
    EXPECT_NE(ProbeHandles().gdiSlot, before.gdiSlot);
    dc.reset();
    win::UniqueHandle event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    EXPECT_NE(ProbeHandles().kernelHandle, before.kernelHandle);
    event.reset();
    EXPECT_EQ(ProbeHandles(), before);
}

class RasterLeaks : public raster_test::RasterTest {};

// Text, sizes, outline, extents, scroll mode and direction change, so every path runs.
TEST_F(RasterLeaks, FiveHundredRasterisationsLeaveNothingBehind)
{
    Rasterise(L"warming up");
    const size_t blocks = HostLiveBlocks();
    const unsigned textures = HostLiveGraphicsObjects().textures;
    const HandleProbe handles = ProbeHandles();

    source->extentWidth = 300;
    source->extentHeight = 80;
    for (int i = 0; i < 500; ++i) {
        source->useOutline = i % 2 == 1;
        source->useTextExtents = source->wrap = i % 5 == 0;
        source->scrollMode = i % 10 == 0;
        source->vertical = i % 4 == 3;
        const std::wstring text = L"Thanks " + std::wstring(i % 7, L'x') + L" #" +
                                  std::to_wstring(i) + (i % 3 == 0 ? L"\n感谢 第二行" : L"");
        Rasterise(text.c_str());
        ASSERT_NE(source->texture, nullptr);
    }

    EXPECT_EQ(HostLiveBlocks(), blocks);
    EXPECT_EQ(HostLiveGraphicsObjects().textures, textures);
    EXPECT_EQ(ProbeHandles(), handles);
    EXPECT_TRUE(log.Warnings().empty());
}

} // namespace
