#include "source/Frame.h"
#include "source/TextOutputSource.h"
#include "link/GuidText.h"
#include "link/TextChannel.h"
#include "link/StyleChannel.h"

#include <cmath>
#include <climits>
#include <new>

void TextOutputSource::Preprocess()
{
    if (!data)
        return;
    // Decoding a block takes memory; when there is none, this frame simply takes nothing
    // rather than letting an exception into the host.
    try {
        PollChannels();
    } catch (const std::bad_alloc &) {
    }
}

void TextOutputSource::PollChannels()
{
    if (IsEmptyIdentifier(sourceGuid))
        sourceGuid = data->GetString(L"guid", L"");

    // A data element without a grandparent has no scene: no blocks to read. The identifier
    // is read every frame (it may have been edited) and lent to both channels, not copied.
    XElement *scene = SceneElementOf(data);
    const String sceneGuid = scene ? EnsureGuidSetting(scene, L"sceneGuid") : String();

    bool textIsNew = false;
    String receivedText;
    if (ReadTextChannel(receivedText, sceneGuid, data) == 1) {
        currentText.Clear();
        if (!receivedText.IsEmpty())  // a failed line check leaves nothing to append
            currentText.AppendString(receivedText);
        textSetting = currentText;
        textIsNew = true;
    }

    // At most one rebuild a frame: new style re-reads the settings and covers new text too.
    if (ReadStyleChannel(sceneGuid, data) == 1) {
        UpdateSettings();
        UpdateTexture();
    } else if (textIsNew) {
        UpdateTexture();
    }
}

void TextOutputSource::Tick(float seconds)
{
    if (scrollSpeed != 0 && texture)
        scrollOffset = AdvanceScrollOffset(scrollOffset, scrollSpeed, seconds, textureWidth,
                                           textureHeight, vertical);
    extentHighlightTime = CountDownHighlight(extentHighlightTime, seconds);
}

namespace {

// The solid-colour shaders for the extent highlight, shared by every source and kept for
// the life of the process.
Shader *drawSolidVertexShader = nullptr;
Shader *drawSolidPixelShader = nullptr;

void EnsureDrawSolidShaders()
{
    if (drawSolidPixelShader)
        return;
    drawSolidVertexShader = GS->CreateVertexShaderFromFile(L"shaders/DrawSolid.vShader");
    drawSolidPixelShader = GS->CreatePixelShaderFromFile(L"shaders/DrawSolid.pShader");
    if (!drawSolidVertexShader || !drawSolidPixelShader)
        CrashError(L"Unable to load DrawSolid shaders");
}

void DrawExtentHighlight(const Vect2 &position, const Vect2 &boxSize, float remaining)
{
    Shader *savedVertexShader = GS->GetCurrentVertexShader();
    Shader *savedPixelShader = GS->GetCurrentPixelShader();

    EnsureDrawSolidShaders();
    const Color4 green(0.0f, 1.0f, 0.0f, HighlightAlpha(remaining));
    drawSolidPixelShader->SetColor(drawSolidPixelShader->GetParameter(0), green);

    GS->LoadVertexShader(drawSolidVertexShader);
    GS->LoadPixelShader(drawSolidPixelShader);
    GS->DrawBox(position, boxSize);

    GS->LoadVertexShader(savedVertexShader);
    GS->LoadPixelShader(savedPixelShader);
}

} // namespace

void TextOutputSource::Render(const Vect2 &position, const Vect2 &size)
{
    if (!texture || !GS)
        return;

    const float scaleX = size.x / baseSizeCX;
    const float scaleY = size.y / baseSizeCY;
    const float drawnWidth = static_cast<float>(textureWidth) * scaleX;
    const float drawnHeight = static_cast<float>(textureHeight) * scaleY;

    const bool clipToExtents = useTextExtents && !wrap;
    if (useTextExtents) {
        const Vect2 boxSize(static_cast<float>(extentWidth) * scaleX,
                            static_cast<float>(extentHeight) * scaleY);
        if (extentHighlightTime > 0.0f)
            DrawExtentHighlight(position, boxSize, extentHighlightTime);
        if (clipToExtents) {
            // Saturating, so extents beyond the int range clip to "everything" instead of
            // wrapping into a negative rectangle.
            XRect clip;
            clip.x = TruncateToInt(position.x);
            clip.y = TruncateToInt(position.y);
            clip.cx = TruncateToInt(boxSize.x);
            clip.cy = TruncateToInt(boxSize.y);
            GS->SetScissorRect(&clip);
        }
    }

    if (pointFiltering) {
        if (!pointSampler)
            pointSampler = CreatePointSampler();
        GS->LoadSamplerState(pointSampler, 0);
    }

    const DWORD colour = DrawColourForOpacity(drawOpacity);
    const float x = position.x;
    const float y = position.y;
    if (scrollSpeed != 0) {
        GS->LoadSamplerState(scrollSampler, 0);
        if (vertical)
            GS->DrawSpriteEx(texture, colour, x, y, x + drawnWidth, y + drawnHeight,
                             0.0f, scrollOffset, 1.0f, scrollOffset + 1.0f);
        else
            GS->DrawSpriteEx(texture, colour, x, y, x + drawnWidth, y + drawnHeight,
                             scrollOffset, 0.0f, scrollOffset + 1.0f, 1.0f);
    } else {
        GS->DrawSprite(texture, colour, x, y, x + drawnWidth, y + drawnHeight);
    }

    if (pointFiltering)
        GS->LoadSamplerState(nullptr, 0);
    if (clipToExtents)
        GS->SetScissorRect(nullptr);
}

namespace {

SamplerState *CreateSampler(GSSampleFilter filter, GSAddressMode addressUV, UINT maxAnisotropy)
{
    if (!GS)
        return nullptr;
    SamplerInfo info{};
    info.filter = filter;
    info.addressU = addressUV;
    info.addressV = addressUV;
    info.addressW = GS_ADDRESS_CLAMP;
    info.maxAnisotropy = maxAnisotropy;
    info.borderColor = Color4(0.0f, 0.0f, 0.0f, 0.0f);
    return GS->CreateSamplerState(info);
}

} // namespace

SamplerState *CreateScrollSampler()
{
    return CreateSampler(GS_FILTER_LINEAR, GS_ADDRESS_WRAP, 0);
}

SamplerState *CreatePointSampler()
{
    return CreateSampler(GS_FILTER_POINT, GS_ADDRESS_CLAMP, 16);
}

namespace {
// Below this magnitude a float holds every integer and x - 1 is exact, so the repeated
// subtraction removes exactly ceil(x - 1) ones.
constexpr float kExactIntegerLimit = 16777216.0f;  // 2^24
}

float WrapScrollOffset(float offset)
{
    if (!std::isfinite(offset))
        return 0.0f;
    if (offset > 1.0f) {
        if (offset > kExactIntegerLimit)
            return 1.0f;  // a whole number: the subtraction stops on exactly 1
        return offset - std::ceil(offset - 1.0f);
    }
    if (offset < -1.0f) {
        if (offset < -kExactIntegerLimit)
            return -1.0f;
        return offset + std::ceil(-1.0f - offset);
    }
    return offset;
}

float AdvanceScrollOffset(float offset, int speed, float seconds, int textureWidth,
                          int textureHeight, bool vertical)
{
    const int side = vertical ? textureHeight : textureWidth;
    if (side <= 0)
        return offset;
    const float divisor = vertical ? -static_cast<float>(textureHeight)
                                   : static_cast<float>(textureWidth);
    const float step = (static_cast<float>(speed) * seconds) / divisor;
    return WrapScrollOffset(offset + step);
}

float CountDownHighlight(float remaining, float seconds)
{
    return remaining > 0.0f ? remaining - seconds : remaining;
}

float HighlightAlpha(float remaining)
{
    return remaining < 1.0f ? remaining : 1.0f;
}

std::uint32_t DrawColourForOpacity(int opacityPercent)
{
    const auto alpha = static_cast<std::uint32_t>(static_cast<int>(opacityPercent * 2.55));
    return (alpha << 24) | 0x00FFFFFFu;
}

int TruncateToInt(float value)
{
    if (std::isnan(value))
        return 0;
    if (value >= 2147483647.0f)
        return INT_MAX;
    if (value <= -2147483648.0f)
        return INT_MIN;
    return static_cast<int>(value);
}
