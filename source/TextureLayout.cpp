#include "source/TextureLayout.h"

#include <algorithm>
#include <cmath>

MeasureMode ChooseMeasureMode(bool useTextExtents, bool wrap, bool vertical, bool scrollMode)
{
    if (!useTextExtents || !wrap)
        return MeasureMode::Unbounded;
    if (scrollMode && !vertical)
        return MeasureMode::BottomFitted;
    return MeasureMode::InExtents;
}

TextBox ExtentLayoutBox(unsigned extentWidth, unsigned extentHeight, bool useOutline,
                        float outlineSize)
{
    TextBox box{0.0f, 0.0f, static_cast<float>(extentWidth), static_cast<float>(extentHeight)};
    if (useOutline) {
        box.width -= outlineSize;
        box.height -= outlineSize;
    }
    return box;
}

TextBox AddOutlineMargin(TextBox measured, bool useOutline, float outlineSize)
{
    if (useOutline) {
        measured.width += outlineSize;
        measured.height += outlineSize;
    }
    return measured;
}

TextBox BottomFittedBox(TextBox layout, float overflow)
{
    TextBox box{0.0f, overflow, layout.width, layout.height};
    if (overflow < 0.0f)
        box.height = layout.height - overflow;
    return box;
}

TextBox OutlineDrawBox(TextBox box, float outlineSize)
{
    box.x += outlineSize / 2.0f;
    box.y += outlineSize / 2.0f;
    return box;
}

float DrawableOutlineSize(float outlineSize)
{
    if (std::isnan(outlineSize))
        return 0.0f;
    if (outlineSize > kMaxOutlineSize)
        return kMaxOutlineSize;
    if (outlineSize < -kMaxOutlineSize)
        return -kMaxOutlineSize;
    return outlineSize;
}

bool BoxReachesTexture(const TextBox &box, float margin, unsigned width, unsigned height)
{
    if (box.width == 0.0f || box.height == 0.0f)
        return true;
    // Written so that NaN anywhere answers false.
    const double left = static_cast<double>(box.x) - margin;
    const double top = static_cast<double>(box.y) - margin;
    const double right = static_cast<double>(box.x) + box.width + margin;
    const double bottom = static_cast<double>(box.y) + box.height + margin;
    return left < width && top < height && right > 0.0 && bottom > 0.0;
}

int MeasuredSide(float measured)
{
    // Anything at or past this is clamped to the maximum side later anyway.
    constexpr double kSaturated = 1 << 30;
    const double side = static_cast<double>(measured) + 0.0001;
    if (!(side > 0.0))  // NaN too
        return 0;
    if (side >= kSaturated)
        return static_cast<int>(kSaturated);
    return static_cast<int>(side);
}

namespace {

// Whether the font size (as a float) exceeds the measured extent along the minimum axis;
// NaN never does.
bool FontSizeExceeds(int fontSize, float measured)
{
    return static_cast<float>(fontSize) > measured;
}

unsigned EvenAndClamped(std::int64_t side)
{
    if (side % 2 != 0)
        side += 1;
    if (side < kMinTextureSide)
        return kMinTextureSide;
    if (side > kMaxTextureSide)
        return kMaxTextureSide;
    return static_cast<unsigned>(side);
}

} // namespace

TextureSize ComputeTextureSize(float boxWidth, float boxHeight, const LayoutSettings &layout)
{
    std::int64_t width = 0;
    std::int64_t height = 0;

    if (!layout.vertical) {
        if (FontSizeExceeds(layout.fontSize, boxHeight)) {
            height = layout.fontSize;
            boxHeight = static_cast<float>(layout.fontSize);
        } else {
            height = MeasuredSide(boxHeight);
        }
        width = MeasuredSide(boxWidth);
    } else {
        if (FontSizeExceeds(layout.fontSize, boxWidth)) {
            width = layout.fontSize;
            boxWidth = static_cast<float>(layout.fontSize);
        } else {
            width = MeasuredSide(boxWidth);
        }
        height = MeasuredSide(boxHeight);
    }

    if (layout.useTextExtents) {
        if (layout.wrap) {
            width = layout.extentWidth;
            height = layout.extentHeight;
        } else {
            // Signed on purpose: an extent past 2^31 counts as negative and raises nothing.
            const std::int64_t extentWidth = static_cast<int>(layout.extentWidth);
            const std::int64_t extentHeight = static_cast<int>(layout.extentHeight);
            if (extentWidth > width)
                width = extentWidth;
            if (extentHeight > height)
                height = extentHeight;
        }
    }

    return TextureSize{EvenAndClamped(width), EvenAndClamped(height), boxWidth, boxHeight};
}

bool NeedsTransparentMargin(bool useTextExtents, unsigned textureWidth, unsigned textureHeight,
                            float boxWidth, float boxHeight)
{
    if (useTextExtents)
        return false;
    return static_cast<float>(textureWidth) > boxWidth ||
           static_cast<float>(textureHeight) > boxHeight;
}

std::uint32_t AlphaFromOpacity(int percent)
{
    const std::uint32_t p = static_cast<std::uint32_t>(std::clamp(percent, 0, 100));
    return p * 255u / 100u;
}

std::uint32_t WithAlpha(int colour, std::uint32_t alpha)
{
    return (alpha << 24) | (static_cast<std::uint32_t>(colour) & 0x00FFFFFFu);
}

std::uint32_t TextBrushColour(int colour, int textOpacity)
{
    return WithAlpha(colour, AlphaFromOpacity(textOpacity));
}

std::uint32_t BackgroundColour(const BackgroundInput &input)
{
    if (input.backgroundOpacity == 0 && input.scrollSpeed != 0)
        return WithAlpha(input.textColour, 1);
    const bool shown = !input.textEmpty || input.useTextExtents;
    return WithAlpha(input.backgroundColour,
                     shown ? AlphaFromOpacity(input.backgroundOpacity) : 0u);
}

std::uint32_t CombinedOutlinePercent(int outlineOpacity, int textOpacity)
{
    const int outline = std::clamp(outlineOpacity, 0, 100);
    const int text = std::clamp(textOpacity, 0, 100);
    // Left to right in float, as the product was always taken.
    const float product = static_cast<float>(outline) * 0.01f * static_cast<float>(text) *
                          0.01f * 100.0f;
    return static_cast<std::uint32_t>(static_cast<int>(product));
}

std::uint32_t OutlinePenColour(int outlineColour, int outlineOpacity, int textOpacity)
{
    const std::uint32_t percent = CombinedOutlinePercent(outlineOpacity, textOpacity);
    return WithAlpha(outlineColour, percent * 255u / 100u);
}

namespace {
constexpr int kNear = 0;
constexpr int kCenter = 1;
constexpr int kFar = 2;
} // namespace

int StringFormatFlagsFor(bool vertical)
{
    return vertical ? kVerticalFormatFlags : kHorizontalFormatFlags;
}

FormatAlignment ChooseAlignment(bool vertical, bool useTextExtents, bool wrap, int align)
{
    using Call = FormatAlignment::Call;
    if (!useTextExtents || !wrap) {
        if (vertical)
            return {Call::LineAlign, kFar};
        return {};
    }
    if (align < 0 || align > 2)
        return {};
    if (!vertical)
        return {Call::Align, align};
    static constexpr int kMirrored[] = {kFar, kCenter, kNear};
    return {Call::LineAlign, kMirrored[align]};
}

std::optional<PixelBox> WholePixelBox(const TextBox &box, unsigned width, unsigned height)
{
    const float edges[] = {box.x, box.y, box.x + box.width, box.y + box.height};
    if (!(box.width >= 0.0f && box.height >= 0.0f))
        return std::nullopt;
    for (const float edge : edges)
        if (!std::isfinite(edge) || std::floor(edge) != edge)
            return std::nullopt;
    const auto held = [](float edge, unsigned side) {
        return static_cast<unsigned>(std::clamp(edge, 0.0f, static_cast<float>(side)));
    };
    PixelBox pixels{held(edges[0], width), held(edges[1], height), held(edges[2], width), held(edges[3], height)};
    return pixels;
}
