#include "headless/GifEncoder.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr unsigned clearCode = 256;
constexpr unsigned endCode = 257;
constexpr unsigned maxCodes = 4096;

void PutWord(std::vector<uint8_t> &out, unsigned value)
{
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

// Packs variable-width codes, least significant bit first.
class BitPacker {
    std::vector<uint8_t> &out;
    uint32_t pending = 0;
    unsigned pendingBits = 0;

public:
    explicit BitPacker(std::vector<uint8_t> &output) : out(output) {}
    void Put(unsigned code, unsigned width)
    {
        pending |= code << pendingBits;
        pendingBits += width;
        while (pendingBits >= 8) {
            out.push_back(static_cast<uint8_t>(pending));
            pending >>= 8;
            pendingBits -= 8;
        }
    }
    void Flush()
    {
        if (pendingBits > 0)
            out.push_back(static_cast<uint8_t>(pending));
        pending = 0;
        pendingBits = 0;
    }
};

// String table of the compressor: (prefix code, next index) -> code, open addressing.
class CodeTable {
    static constexpr unsigned slots = 8192;   // a power of two well above maxCodes
    std::vector<uint32_t> keys = std::vector<uint32_t>(slots);
    std::vector<uint16_t> codes = std::vector<uint16_t>(slots);

    static unsigned Slot(uint32_t key) { return (key * 2654435761u) >> 19; }

public:
    void Reset() { std::fill(keys.begin(), keys.end(), 0u); }
    // Keys are stored plus one so that 0 marks an empty slot.
    int Find(unsigned prefix, uint8_t next) const
    {
        const uint32_t key = (prefix << 8 | next) + 1;
        for (unsigned s = Slot(key);; s = (s + 1) & (slots - 1)) {
            if (keys[s] == 0)
                return -1;
            if (keys[s] == key)
                return codes[s];
        }
    }
    void Add(unsigned prefix, uint8_t next, unsigned code)
    {
        const uint32_t key = (prefix << 8 | next) + 1;
        unsigned s = Slot(key);
        while (keys[s] != 0)
            s = (s + 1) & (slots - 1);
        keys[s] = key;
        codes[s] = static_cast<uint16_t>(code);
    }
};

constexpr uint8_t greys[4] = {0x20, 0x55, 0xAA, 0xE0};

} // namespace

std::array<uint32_t, 256> GifPalette()
{
    std::array<uint32_t, 256> palette{};
    unsigned i = 0;
    for (unsigned r = 0; r < 6; ++r)
        for (unsigned g = 0; g < 7; ++g)
            for (unsigned b = 0; b < 6; ++b) {
                const unsigned red = r * 255 / 5, green = g * 255 / 6, blue = b * 255 / 5;
                palette[i++] = red << 16 | green << 8 | blue;
            }
    for (uint8_t grey : greys)
        palette[i++] = grey << 16 | grey << 8 | grey;
    return palette;
}

GifEncoder::GifEncoder(unsigned frameWidth, unsigned frameHeight)
    : width(frameWidth), height(frameHeight), paletteIndexOf(32 * 32 * 32)
{
    const std::array<uint32_t, 256> palette = GifPalette();
    for (unsigned cell = 0; cell < paletteIndexOf.size(); ++cell) {
        // The centre of each 8x8x8 cell of the colour cube.
        const int r = static_cast<int>((cell >> 10) * 8 + 4);
        const int g = static_cast<int>(((cell >> 5) & 31) * 8 + 4);
        const int b = static_cast<int>((cell & 31) * 8 + 4);
        int best = 0, bestDistance = 1 << 30;
        for (int i = 0; i < 256; ++i) {
            const int dr = r - static_cast<int>(palette[i] >> 16);
            const int dg = g - static_cast<int>((palette[i] >> 8) & 0xFF);
            const int db = b - static_cast<int>(palette[i] & 0xFF);
            const int distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
            if (distance < bestDistance) {
                bestDistance = distance;
                best = i;
            }
        }
        paletteIndexOf[cell] = static_cast<uint8_t>(best);
    }
}

uint8_t GifEncoder::Quantise(uint8_t red, uint8_t green, uint8_t blue) const
{
    return paletteIndexOf[(red >> 3) << 10 | (green >> 3) << 5 | (blue >> 3)];
}

std::vector<uint8_t> GifEncoder::Header() const
{
    std::vector<uint8_t> out = {'G', 'I', 'F', '8', '9', 'a'};
    PutWord(out, width);
    PutWord(out, height);
    out.push_back(0xF7);   // global colour table of 256 entries, 8 bits per primary
    out.push_back(0);      // background colour index
    out.push_back(0);      // square pixels
    for (uint32_t colour : GifPalette()) {
        out.push_back(static_cast<uint8_t>(colour >> 16));
        out.push_back(static_cast<uint8_t>(colour >> 8));
        out.push_back(static_cast<uint8_t>(colour));
    }
    // Loop forever.
    const uint8_t loop[] = {0x21, 0xFF, 0x0B, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0',
                            0x03, 0x01, 0x00, 0x00, 0x00};
    out.insert(out.end(), std::begin(loop), std::end(loop));
    return out;
}

std::vector<uint8_t> GifEncoder::Frame(const uint8_t *bgra, unsigned delayCentiseconds) const
{
    std::vector<uint8_t> indices(static_cast<size_t>(width) * height);
    for (size_t i = 0; i < indices.size(); ++i)
        indices[i] = Quantise(bgra[i * 4 + 2], bgra[i * 4 + 1], bgra[i * 4]);

    std::vector<uint8_t> out = {0x21, 0xF9, 0x04, 0x04};   // graphic control: keep the frame
    PutWord(out, std::min(delayCentiseconds, 65535u));
    out.push_back(0);   // no transparent colour
    out.push_back(0);
    out.push_back(0x2C);   // image descriptor: whole screen, global palette, not interlaced
    PutWord(out, 0);
    PutWord(out, 0);
    PutWord(out, width);
    PutWord(out, height);
    out.push_back(0);
    out.push_back(8);   // minimum code size

    const std::vector<uint8_t> packed = LzwCompress(indices);
    for (size_t at = 0; at < packed.size(); at += 255) {
        const size_t length = std::min<size_t>(255, packed.size() - at);
        out.push_back(static_cast<uint8_t>(length));
        out.insert(out.end(), packed.begin() + static_cast<long>(at), packed.begin() + static_cast<long>(at + length));
    }
    out.push_back(0);   // end of image data
    return out;
}

std::vector<uint8_t> LzwCompress(const std::vector<uint8_t> &indices)
{
    std::vector<uint8_t> out;
    BitPacker bits(out);
    CodeTable table;
    unsigned width = 9;
    unsigned nextCode = endCode + 1;
    bits.Put(clearCode, width);
    if (indices.empty()) {
        bits.Put(endCode, width);
        bits.Flush();
        return out;
    }

    unsigned prefix = indices[0];
    for (size_t i = 1; i < indices.size(); ++i) {
        const uint8_t next = indices[i];
        const int found = table.Find(prefix, next);
        if (found >= 0) {
            prefix = static_cast<unsigned>(found);
            continue;
        }
        bits.Put(prefix, width);
        if (nextCode < maxCodes) {
            table.Add(prefix, next, nextCode);
            // The reader adds each entry one code later, so it widens exactly when the
            // code just assigned needs the extra bit.
            if (nextCode == (1u << width) && width < 12)
                ++width;
            ++nextCode;
        } else {
            bits.Put(clearCode, width);
            table.Reset();
            width = 9;
            nextCode = endCode + 1;
        }
        prefix = next;
    }
    bits.Put(prefix, width);
    // The reader still adds an entry for that last code and may widen before the end code.
    if (nextCode < maxCodes && nextCode == (1u << width) && width < 12)
        ++width;
    bits.Put(endCode, width);
    bits.Flush();
    return out;
}

unsigned GifFrameDelay(double fps, int every)
{
    if (!(fps > 0.0) || every < 1)
        return 2;
    const double centiseconds = std::round(100.0 * every / fps);
    return static_cast<unsigned>(std::clamp(centiseconds, 2.0, 65535.0));
}
