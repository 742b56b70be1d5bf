#include "headless/GifEncoder.h"
#include "headless/GifFile.h"
#include "tests/headless/HeadlessTestSupport.h"

#include <gtest/gtest.h>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_GIF
#define STBI_ONLY_PNG
#include <stb/stb_image.h>

#include <random>

namespace {

// A GIF LZW reader written from the format's rules, independent of the encoder.
struct LzwDecoded {
    std::vector<uint8_t> indices;
    bool ended = false;        // the end code was read
    bool malformed = false;    // a code that cannot occur
};

LzwDecoded LzwDecode(const std::vector<uint8_t> &data)
{
    LzwDecoded out;
    size_t bitPosition = 0;
    auto readCode = [&](unsigned width, unsigned &code) {
        if (bitPosition + width > data.size() * 8)
            return false;
        code = 0;
        for (unsigned i = 0; i < width; ++i, ++bitPosition)
            code |= ((data[bitPosition / 8] >> (bitPosition % 8)) & 1u) << i;
        return true;
    };
    std::vector<std::vector<uint8_t>> table;
    auto reset = [&] {
        table.clear();
        for (unsigned i = 0; i < 256; ++i)
            table.push_back({static_cast<uint8_t>(i)});
        table.push_back({});   // clear
        table.push_back({});   // end
    };
    reset();
    unsigned width = 9;
    int previous = -1;
    unsigned code = 0;
    while (readCode(width, code)) {
        if (code == 256) {
            reset();
            width = 9;
            previous = -1;
            continue;
        }
        if (code == 257) {
            out.ended = true;
            break;
        }
        std::vector<uint8_t> entry;
        if (code < table.size()) {
            entry = table[code];
        } else if (code == table.size() && previous >= 0) {
            entry = table[previous];
            entry.push_back(table[previous][0]);
        } else {
            out.malformed = true;
            break;
        }
        out.indices.insert(out.indices.end(), entry.begin(), entry.end());
        if (previous >= 0 && table.size() < 4096) {
            std::vector<uint8_t> added = table[previous];
            added.push_back(entry[0]);
            table.push_back(added);
        }
        if (table.size() == (1u << width) && width < 12)
            ++width;
        previous = static_cast<int>(code);
    }
    return out;
}

// Lengths up to well past the first code-width changes, so the end code lands on each
// boundary; then long runs, noise past several table resets, and a repeating pattern.
TEST(GifLzw, RoundTripsAcrossCodeWidthChangesAndTableResets)
{
    std::mt19937 random(99);
    std::vector<uint8_t> noise(60000);
    for (uint8_t &value : noise)
        value = static_cast<uint8_t>(random() % 64);
    for (size_t length = 0; length <= 1400; ++length) {
        const std::vector<uint8_t> prefix(noise.begin(), noise.begin() + static_cast<long>(length));
        const LzwDecoded decoded = LzwDecode(LzwCompress(prefix));
        ASSERT_TRUE(decoded.ended && !decoded.malformed && decoded.indices == prefix) << "length " << length;
    }
    std::vector<uint8_t> pattern;
    for (int i = 0; i < 100000; ++i)
        pattern.push_back(static_cast<uint8_t>((i / 7) % 5 + (i % 1280 < 300 ? 200 : 0)));
    for (const std::vector<uint8_t> &indices : {std::vector<uint8_t>(200000, 42), noise, pattern}) {
        const LzwDecoded decoded = LzwDecode(LzwCompress(indices));
        EXPECT_TRUE(decoded.ended && !decoded.malformed && decoded.indices == indices) << indices.size();
    }
}

std::vector<uint8_t> Bgra(const std::vector<uint32_t> &argb)
{
    std::vector<uint8_t> bytes;
    for (uint32_t colour : argb)
        bytes.insert(bytes.end(), {uint8_t(colour), uint8_t(colour >> 8), uint8_t(colour >> 16), uint8_t(colour >> 24)});
    return bytes;
}

// Written frame by frame to a file, then read back by an independent decoder.
TEST(GifEncoder, WritesALoopingAnimationThatDecodesToTheFrames)
{
    TempFolder folder;
    const std::wstring path = folder / L"animation.gif";
    const std::vector<uint32_t> exact = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF, 0xFF000000, 0xFF202020};
    const std::vector<uint32_t> approximate = {0xFF123456, 0xFF808080, 0xFFFFCC00, 0xFF010101, 0xFFFEFEFE, 0x00FF0000};
    {
        GifFile gif(3, 2, 7);
        ASSERT_TRUE(gif.Open(path));
        gif.AddFrame(Bgra(exact).data());
        gif.AddFrame(Bgra(approximate).data());
        ASSERT_TRUE(gif.Close());
    }
    const std::string bytes = ReadFileBytes(path);
    EXPECT_NE(bytes.find(std::string("NETSCAPE2.0\x03\x01\x00\x00\x00", 16)), std::string::npos) << "loops forever";
    EXPECT_EQ(bytes.back(), '\x3B');

    int *delays = nullptr;
    int width = 0, height = 0, frames = 0, channels = 0;
    stbi_uc *pixels = stbi_load_gif_from_memory(reinterpret_cast<const stbi_uc *>(bytes.data()), int(bytes.size()),
                                                &delays, &width, &height, &frames, &channels, 4);
    ASSERT_NE(pixels, nullptr) << stbi_failure_reason();
    EXPECT_EQ(width, 3);
    EXPECT_EQ(height, 2);
    ASSERT_EQ(frames, 2);
    EXPECT_EQ(delays[0], 70);
    EXPECT_EQ(delays[1], 70);
    for (int i = 0; i < 6; ++i) {
        const stbi_uc *first = pixels + i * 4, *second = pixels + (6 + i) * 4;
        // Colours the palette holds come back exactly, others as a approximate colour; alpha is ignored.
        EXPECT_EQ(uint32_t(first[0]) << 16 | first[1] << 8 | first[2], exact[i] & 0xFFFFFF) << "pixel " << i;
        for (int channel = 0; channel < 3; ++channel)
            EXPECT_LE(std::abs(int(second[channel]) - int((approximate[i] >> (16 - 8 * channel)) & 0xFF)), 30)
                << "pixel " << i << " channel " << channel;
    }
    stbi_image_free(pixels);
    stbi_image_free(delays);
}

TEST(GifEncoder, FrameDelayFollowsFpsAndStep)
{
    EXPECT_EQ(GifFrameDelay(30.0, 1), 3u);
    EXPECT_EQ(GifFrameDelay(30.0, 3), 10u);
    EXPECT_EQ(GifFrameDelay(1.0, 10), 1000u);
    EXPECT_EQ(GifFrameDelay(60.0, 1), 2u);
    EXPECT_EQ(GifFrameDelay(0.001, 1000), 65535u);
}

} // namespace
