#pragma once
// Which string-format settings the rasteriser applies. Values are GDI+'s: flags are
// StringFormatFlags bits, alignments StringAlignment (0 near, 1 center, 2 far). Pure.

// Trailing spaces measured, no black-box fitting; vertical text also runs top to bottom
// with lines from right to left. These replace the typographic format's own flags.
constexpr int kHorizontalFormatFlags = 0x0804;
constexpr int kVerticalFormatFlags = 0x0807;
constexpr int kTrimmingWord = 2;

int StringFormatFlagsFor(bool vertical);

struct FormatAlignment {
    enum class Call { None, Align, LineAlign };
    Call call = Call::None;
    int value = 0;
};

// Alignment applies only inside wrapped extents. Horizontal text sets the alignment along
// the line; vertical text sets the line alignment, mirrored because its lines run right to
// left, and without extents keeps its lines at the far (right) side. An unknown "align"
// sets nothing at all.
FormatAlignment ChooseAlignment(bool vertical, bool useTextExtents, bool wrap, int align);
