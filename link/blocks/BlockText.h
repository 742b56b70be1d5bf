#pragma once
// The text of a shared block and the pieces it is cut into. Portable: works on UTF-16 code
// units as char16_t, with no Windows or host header, so the parsing also builds natively.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

// A block is 2048 bytes of UTF-16LE text ended by a 0 unit; one without a 0 unit is read
// whole, so at most 1024 units of text come out of it.
inline constexpr std::size_t kBlockBytes = 2048;
inline constexpr std::size_t kBlockUnits = kBlockBytes / 2;

// Slots the reader keeps. A block with more fields is refused whole (see SplitBlockFields).
inline constexpr std::size_t kMaxBlockFields = 64;
inline constexpr std::size_t kMaxShownLines = 64;

// Copies the text of a 2048-byte block image into destination (room for kBlockUnits units),
// up to the first 0 unit. Returns the number of units copied. Never reads past the image.
std::size_t CopyBlockText(const unsigned char *block, char16_t *destination);

// Whether a second copy of the block image would equal `copy`: the same units, then the
// terminator (or the block's end). A copy made while the producer was rewriting the block
// mixes old and new text; a second look no longer matches it.
bool BlockHoldsText(const unsigned char *block, std::u16string_view copy);

struct BlockFields {
    std::array<std::u16string_view, kMaxBlockFields> field{};
    // Every field found, also those beyond the slots; only the first kMaxBlockFields are kept.
    std::size_t count = 0;

    bool Overflowed() const { return count > kMaxBlockFields; }
};

// Splits at runs of "|": a run counts as one separator and a separator at either end makes
// no field, so no field is ever empty. The views point into text.
BlockFields SplitBlockFields(std::u16string_view text);

// The first field SplitBlockFields would find (empty when there is none), without splitting
// the rest: enough to refuse a block whose number was taken already.
std::u16string_view FirstBlockField(std::u16string_view text);

// Fields first, first + 1, ... of the kept slots joined with a single "|": the payload.
std::u16string JoinBlockFields(const BlockFields &fields, std::size_t first);

struct LineSpan {
    std::size_t offset = 0;
    std::size_t length = 0;
};

struct BlockLines {
    std::array<LineSpan, kMaxShownLines> line{};
    // Every line found; only the first kMaxShownLines are kept.
    std::size_t count = 0;

    std::size_t Kept() const { return count < kMaxShownLines ? count : kMaxShownLines; }
};

// Splits at runs of CR and LF (each alone also ends a line); empty lines vanish.
BlockLines SplitBlockLines(std::u16string_view text);
