#pragma once
// The blocks of a soak run: mostly what the companion program writes, and one in ten hostile:
// no terminator, too many fields or lines, numbers out of range, non-digits, empty fields,
// separators only, huge fonts, extents and speeds, a file mode. Portable and deterministic:
// the same seed gives the same blocks.
#include <cstdint>
#include <random>
#include <string>
#include <vector>

// A 2048-byte block image, or less: UTF-16LE text with its terminator, written from the
// start of the block. An image without a terminator fills the whole block.
struct SoakBlock {
    std::vector<unsigned char> bytes;
    bool hostile = false;
    const char *kind = "";   // what the block tries, for the report
};

// The sequence numbers the producer's ordinary blocks use stay below this, so a reader
// that sees a number from it knows it came from somewhere else (the soak's final blocks).
inline constexpr std::int32_t kSoakFinalSequenceBase = 2000000000;

class SoakBlockSource {
    std::mt19937 random;
    std::int32_t sequence = 0;

public:
    explicit SoakBlockSource(std::uint32_t seed) : random(seed) {}

    SoakBlock NextText();
    SoakBlock NextStyle();

    // Every hostile kind, in catalogue order, for tests that want each one once.
    static std::vector<std::string> HostileTextKinds();
    static std::vector<std::string> HostileStyleKinds();
    SoakBlock HostileText(std::size_t kind);
    SoakBlock HostileStyle(std::size_t kind);
    SoakBlock GoodText();
    SoakBlock GoodStyle();

private:
    std::int32_t NextSequence();
    int Uniform(int low, int high);
};

// Image helpers, shared with the soak's own final blocks.
std::vector<unsigned char> TerminatedImage(std::u16string_view text);
// A thank-you text block "seq|mode|count|lines" whose count is right.
std::u16string ThankYouTextBlock(std::int32_t sequence, const std::vector<std::u16string> &lines);
// A style block of 23 fields.
std::u16string StyleBlockText(std::int32_t sequence, std::u16string_view font, const std::vector<std::int64_t> &numbers);
