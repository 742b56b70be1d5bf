#include "headless/GifEncoder.h"
#include "headless/GifFile.h"
#include "tests/headless/HeadlessTestSupport.h"

#include <gtest/gtest.h>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_GIF
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

void ExpectRoundTrip(const std::vector<uint8_t> &indices, const char *what)
{
    const LzwDecoded decoded = LzwDecode(LzwCompress(indices));
    EXPECT_TRUE(decoded.ended) << what << ", " << indices.size() << " indices";
    EXPECT_FALSE(decoded.malformed) << what << ", " << indices.size() << " indices";
    EXPECT_EQ(decoded.indices, indices) << what << ", " << indices.size() << " indices";
}

TEST(GifLzw, RoundTripsRunsNoiseAndPatterns)
{
    ExpectRoundTrip({}, "empty");
    ExpectRoundTrip({7}, "single");
    ExpectRoundTrip(std::vector<uint8_t>(200000, 42), "one long run");

    std::mt19937 random(1234);
    std::vector<uint8_t> noise(60000);
    for (uint8_t &value : noise)
        value = static_cast<uint8_t>(random());
    ExpectRoundTrip(noise, "noise past several table resets");

    std::vector<uint8_t> pattern;
    for (int i = 0; i < 100000; ++i)
        pattern.push_back(static_cast<uint8_t>((i / 7) % 5 + (i % 1280 < 300 ? 200 : 0)));
    ExpectRoundTrip(pattern, "repeating pattern");
}

// Every length up to well past the first two code-width changes, so the end code lands on
// each boundary once.
TEST(GifLzw, RoundTripsEveryLengthAcrossCodeWidthChanges)
{
    std::mt19937 random(99);
    std::vector<uint8_t> noise(1400);
    for (uint8_t &value : noise)
        value = static_cast<uint8_t>(random() % 64);
    for (size_t length = 1; length <= noise.size(); ++length) {
        const std::vector<uint8_t> prefix(noise.begin(), noise.begin() + static_cast<long>(length));
        const LzwDecoded decoded = LzwDecode(LzwCompress(prefix));
        ASSERT_TRUE(decoded.ended && decoded.indices == prefix) << "length " << length;
    }
}

// Walks the blocks of a GIF file, checking the framing on the way.
struct ParsedGif {
    unsigned width = 0, height = 0;
    std::vector<uint8_t> palette;
    bool loops = false;
    std::vector<unsigned> delays;
    std::vector<std::vector<uint8_t>> frames;   // palette indices
    bool trailer = false;
};

ParsedGif ParseGif(const std::vector<uint8_t> &bytes)
{
    ParsedGif gif;
    EXPECT_GE(bytes.size(), 13u + 768u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 6), "GIF89a");
    gif.width = bytes[6] | bytes[7] << 8;
    gif.height = bytes[8] | bytes[9] << 8;
    EXPECT_EQ(bytes[10], 0xF7);
    gif.palette.assign(bytes.begin() + 13, bytes.begin() + 13 + 768);
    size_t at = 13 + 768;
    auto subBlocks = [&](std::vector<uint8_t> &into) {
        while (at < bytes.size() && bytes[at] != 0) {
            const size_t length = bytes[at];
            into.insert(into.end(), bytes.begin() + static_cast<long>(at + 1), bytes.begin() + static_cast<long>(at + 1 + length));
            at += 1 + length;
        }
        ++at;
    };
    while (at < bytes.size()) {
        const uint8_t kind = bytes[at++];
        if (kind == 0x3B) {
            gif.trailer = at == bytes.size();
            break;
        }
        if (kind == 0x21) {
            const uint8_t label = bytes[at++];
            std::vector<uint8_t> body;
            subBlocks(body);
            if (label == 0xFF && std::string(body.begin(), body.begin() + 11) == "NETSCAPE2.0")
                gif.loops = body.size() == 14 && body[11] == 1 && body[12] == 0 && body[13] == 0;
            if (label == 0xF9)
                gif.delays.push_back(body[1] | body[2] << 8);
        } else if (kind == 0x2C) {
            EXPECT_EQ(bytes[at + 4] | bytes[at + 5] << 8, static_cast<int>(gif.width));
            EXPECT_EQ(bytes[at + 6] | bytes[at + 7] << 8, static_cast<int>(gif.height));
            at += 9;
            EXPECT_EQ(bytes[at], 8);
            ++at;
            std::vector<uint8_t> data;
            subBlocks(data);
            LzwDecoded decoded = LzwDecode(data);
            EXPECT_TRUE(decoded.ended);
            gif.frames.push_back(decoded.indices);
        } else {
            ADD_FAILURE() << "unexpected block " << int(kind) << " at " << at - 1;
            break;
        }
    }
    return gif;
}

std::vector<uint8_t> Bgra(const std::vector<uint32_t> &argb)
{
    std::vector<uint8_t> bytes;
    for (uint32_t colour : argb)
        bytes.insert(bytes.end(), {uint8_t(colour), uint8_t(colour >> 8), uint8_t(colour >> 16), uint8_t(colour >> 24)});
    return bytes;
}

uint32_t PaletteColour(const ParsedGif &gif, uint8_t index)
{
    return gif.palette[index * 3] << 16 | gif.palette[index * 3 + 1] << 8 | gif.palette[index * 3 + 2];
}

TEST(GifEncoder, WritesALoopingAnimationThatDecodesToTheFrames)
{
    GifEncoder encoder(3, 2);
    const std::vector<uint8_t> first = Bgra({0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF, 0xFF000000, 0xFF202020});
    const std::vector<uint8_t> second = Bgra({0xFF123456, 0xFF808080, 0xFFFFCC00, 0xFF010101, 0xFFFEFEFE, 0x00FF0000});
    std::vector<uint8_t> file = encoder.Header();
    for (const auto *frame : {&first, &second}) {
        const std::vector<uint8_t> bytes = encoder.Frame(frame->data(), 7);
        file.insert(file.end(), bytes.begin(), bytes.end());
    }
    file.push_back(0x3B);

    const ParsedGif gif = ParseGif(file);
    EXPECT_EQ(gif.width, 3u);
    EXPECT_EQ(gif.height, 2u);
    EXPECT_TRUE(gif.loops);
    EXPECT_TRUE(gif.trailer);
    EXPECT_EQ(gif.delays, (std::vector<unsigned>{7, 7}));
    ASSERT_EQ(gif.frames.size(), 2u);

    // Colours the palette holds come back exactly.
    const std::vector<uint32_t> exact = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0x202020};
    for (size_t i = 0; i < exact.size(); ++i)
        EXPECT_EQ(PaletteColour(gif, gif.frames[0][i]), exact[i]) << "pixel " << i;

    // Others come back as a near colour; alpha is ignored.
    const std::vector<uint32_t> wanted = {0x123456, 0x808080, 0xFFCC00, 0x010101, 0xFEFEFE, 0xFF0000};
    for (size_t i = 0; i < wanted.size(); ++i) {
        const uint32_t got = PaletteColour(gif, gif.frames[1][i]);
        for (int shift : {16, 8, 0}) {
            const int difference = int((got >> shift) & 0xFF) - int((wanted[i] >> shift) & 0xFF);
            EXPECT_LE(std::abs(difference), 30) << "pixel " << i << " shift " << shift;
        }
    }
}

TEST(GifEncoder, FrameDelayFollowsFpsAndStep)
{
    EXPECT_EQ(GifFrameDelay(30.0, 1), 3u);
    EXPECT_EQ(GifFrameDelay(25.0, 1), 4u);
    EXPECT_EQ(GifFrameDelay(30.0, 3), 10u);
    EXPECT_EQ(GifFrameDelay(1.0, 10), 1000u);
    EXPECT_EQ(GifFrameDelay(60.0, 1), 2u);
    EXPECT_EQ(GifFrameDelay(0.001, 1000), 65535u);
}

// A second opinion from an independent decoder, on a file written frame by frame.
TEST(GifEncoder, FileDecodesWithAnotherDecoder)
{
    TempFolder folder;
    const std::wstring path = folder / L"animation.gif";
    std::vector<uint32_t> red(64 * 48, 0xFFFF0000), mixed(64 * 48, 0xFF202020);
    for (size_t i = 0; i < 64 * 10; ++i)
        mixed[i] = 0xFFFFFFFF;
    {
        GifFile gif(64, 48, 5);
        ASSERT_TRUE(gif.Open(path));
        gif.AddFrame(Bgra(red).data());
        gif.AddFrame(Bgra(mixed).data());
        ASSERT_TRUE(gif.Close());
    }
    const std::string bytes = ReadFileBytes(path);
    int *delays = nullptr;
    int width = 0, height = 0, frames = 0, channels = 0;
    stbi_uc *pixels = stbi_load_gif_from_memory(reinterpret_cast<const stbi_uc *>(bytes.data()), int(bytes.size()),
                                                &delays, &width, &height, &frames, &channels, 4);
    ASSERT_NE(pixels, nullptr) << stbi_failure_reason();
    EXPECT_EQ(width, 64);
    EXPECT_EQ(height, 48);
    ASSERT_EQ(frames, 2);
    EXPECT_EQ(delays[0], 50);
    auto pixel = [&](int frame, int x, int y) {
        const stbi_uc *p = pixels + (size_t(frame) * width * height + size_t(y) * width + x) * 4;
        return uint32_t(p[3]) << 24 | p[0] << 16 | p[1] << 8 | p[2];
    };
    EXPECT_EQ(pixel(0, 30, 30), 0xFFFF0000u);
    EXPECT_EQ(pixel(1, 5, 5), 0xFFFFFFFFu);
    EXPECT_EQ(pixel(1, 5, 40), 0xFF202020u);
    stbi_image_free(pixels);
    stbi_image_free(delays);
}

} // namespace
