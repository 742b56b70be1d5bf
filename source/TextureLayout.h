#pragma once
// Layout arithmetic of the text rasteriser: boxes, texture sizes, the choice of how the
// text is measured, colours and string-format rules. Pure functions; no GDI+ and no host.
#include <cstdint>
#include <optional>

// A rectangle in the texture's pixel space, as GDI+ RectF holds it.
struct TextBox {
    float x = 0.0f;
    float y = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
};

// Pixels [left, right) x [top, bottom).
struct PixelBox {
    unsigned left = 0;
    unsigned top = 0;
    unsigned right = 0;
    unsigned bottom = 0;
    bool operator==(const PixelBox &) const = default;
};

// The pixels a box covers when its edges lie on pixel boundaries, held to a texture of
// width x height: filled without antialiasing, every pixel is then wholly in or wholly out,
// so the box can be filled by hand (GDI+ takes Wine half a millisecond for a thank-you
// line's box). Nothing when an edge falls inside a pixel: how much of that pixel is covered
// is GDI+'s to decide.
std::optional<PixelBox> WholePixelBox(const TextBox &box, unsigned width, unsigned height);

// Texture sides stay within this range, which bounds the pixel buffer at 256 MiB.
constexpr unsigned kMinTextureSide = 32;
constexpr unsigned kMaxTextureSide = 8192;

// The box that empty text "measures".
constexpr TextBox kEmptyTextBox{0.0f, 0.0f, 32.0f, 32.0f};

// The settings that decide how text is measured and how large its texture is.
struct LayoutSettings {
    int fontSize = 0;
    bool vertical = false;
    bool useTextExtents = false;
    bool wrap = false;
    bool scrollMode = false;  // bottom-anchored line fitting
    bool useOutline = false;
    float outlineSize = 0.0f;  // as drawn (DrawableOutlineSize)
    unsigned extentWidth = 0;
    unsigned extentHeight = 0;
};

enum class MeasureMode {
    Unbounded,    // no layout limits; the outline is added afterwards
    InExtents,    // laid out (and wrapped) inside the extent box
    BottomFitted, // scroll mode: whole lines, the last one at the bottom of the extent box
};

MeasureMode ChooseMeasureMode(bool useTextExtents, bool wrap, bool vertical, bool scrollMode);

// The layout box of the extents; an outline takes its size off both sides so the stroke
// stays inside the extents.
TextBox ExtentLayoutBox(unsigned extentWidth, unsigned extentHeight, bool useOutline,
                        float outlineSize);

// An unbounded measurement grows by the outline so the stroke fits the texture.
TextBox AddOutlineMargin(TextBox measured, bool useOutline, float outlineSize);

// Scroll mode: the text block starts `overflow` below the top of the layout box, so that
// its measured height ends at the box's bottom; a negative overflow runs off the top.
TextBox BottomFittedBox(TextBox layout, float overflow);

// An outlined text is drawn half a stroke in from the box origin.
TextBox OutlineDrawBox(TextBox box, float outlineSize);

// Outlines are stroked at most this wide (either sign). Wine's GDI+ runs out of stack
// stroking glyph paths with pens a few hundred pixels wide (from about 350 on small fonts),
// which ends the host process; no outline of text needs more.
constexpr float kMaxOutlineSize = 100.0f;

// The outline width the rasteriser works with: the setting held to +-kMaxOutlineSize, and
// NaN taken as 0. Measuring, texture size and drawing all use it, so they agree.
float DrawableOutlineSize(float outlineSize);

// Whether text laid out in box can put a pixel into a texture of width x height. A box
// with a size clips its text; one without (an unbounded layout) always counts as reaching.
// Text that cannot reach is not drawn: nothing of it would show, and GDI+ under Wine
// crashes on layout positions past 2^31, which scroll mode makes from extents near the
// int limit.
bool BoxReachesTexture(const TextBox &box, float margin, unsigned width, unsigned height);

struct TextureSize {
    unsigned width = 0;
    unsigned height = 0;
    // The measured box after the font-size minimum; the background rule compares with it.
    float boxWidth = 0.0f;
    float boxHeight = 0.0f;
};

// Texture size for a measured box: the font size is the minimum across the lines
// (height for horizontal text, width for vertical), the extents fix (with wrap) or raise
// (without) the sides, odd sides become even, and both are clamped to 32..8192. A box that
// is NaN, infinite or beyond int range still gives a size in that range.
TextureSize ComputeTextureSize(float boxWidth, float boxHeight, const LayoutSettings &layout);

// Measured sizes are truncated after adding 0.0001, so 101.99995 counts as 102. Saturates:
// NaN and negatives give 0, anything past the texture limit a large even value.
int MeasuredSide(float measured);

// Only a texture without extents that is larger than the measured box gets a transparent
// margin around a filled box; everything else is cleared to the background colour.
bool NeedsTransparentMargin(bool useTextExtents, unsigned textureWidth, unsigned textureHeight,
                            float boxWidth, float boxHeight);

// Colours of the rasterised text, as GDI+ ARGB values (alpha in bits 24..31). Settings keep
// a colour's RGB part apart from an opacity in percent.

// p*255/100 in unsigned 32-bit arithmetic, truncating. The percent is first held to
// 0..100: outside it the byte would wrap (101% would be nearly transparent).
std::uint32_t AlphaFromOpacity(int percent);

// The RGB of `colour` (0xAARRGGBB; its alpha is ignored) under `alpha`.
std::uint32_t WithAlpha(int colour, std::uint32_t alpha);

std::uint32_t TextBrushColour(int colour, int textOpacity);

struct BackgroundInput {
    int backgroundColour = 0;
    int backgroundOpacity = 0;
    int textColour = 0;
    int scrollSpeed = 0;
    bool textEmpty = false;
    bool useTextExtents = false;
};

// A scrolling source with no background keeps an alpha-1 wash of the text colour, so the
// texture is never fully transparent; empty text without extents shows no background.
std::uint32_t BackgroundColour(const BackgroundInput &input);

// The outline's opacity in percent: the product of outline and text opacity, truncated,
// computed in single precision.
std::uint32_t CombinedOutlinePercent(int outlineOpacity, int textOpacity);

std::uint32_t OutlinePenColour(int outlineColour, int outlineOpacity, int textOpacity);

// Which string-format settings the rasteriser applies. Values are GDI+'s: flags are
// StringFormatFlags bits, alignments StringAlignment (0 near, 1 center, 2 far).

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
