#include "source/TextOutputSource.h"
#include "source/ScrollMath.h"
#include "source/SourceSamplers.h"

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
