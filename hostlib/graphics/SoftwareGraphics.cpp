#include "hostlib/graphics/SoftwareGraphics.h"
#include "hostlib/graphics/ShaderFile.h"
#include "win/File.h"

SoftwareGraphics::SoftwareGraphics(unsigned width, unsigned height) : frame(width, height)
{
}

Texture *SoftwareGraphics::CreateTexture(unsigned width, unsigned height, GSColorFormat colorFormat,
                                         void *pixels, BOOL buildMipMaps, BOOL isStatic)
{
    // Only the 32-bit layout is supported; an empty texture is refused as a GPU would.
    Texture *texture = nullptr;
    if (colorFormat == GS_BGRA && width > 0 && height > 0)
        texture = new SoftwareTexture(recorder, width, height, pixels);
    if (RecordedGraphicsCall *call = recorder->Record("CreateTexture")) {
        call->texture = texture;
        SetRecordedInts(*call, {width, height, static_cast<unsigned>(colorFormat)});
    }
    return texture;
}

SamplerState *SoftwareGraphics::CreateSamplerState(SamplerInfo &info)
{
    SamplerState *sampler = new SoftwareSampler(recorder, loadedSampler, info);
    if (RecordedGraphicsCall *call = recorder->Record("CreateSamplerState")) {
        call->sampler = sampler;
        call->hasSamplerInfo = 1;
        call->samplerInfo = info;
    }
    return sampler;
}

Shader *SoftwareGraphics::CreateShaderFromFile(const char *callName, ShaderStage stage, CTSTR path)
{
    Shader *shader = nullptr;
    if (path && *path)
        if (const std::optional<std::string> source = win::ReadWholeFile(path))
            shader = new SoftwareShader(recorder, stage, ParseShaderParameters(*source));
    if (RecordedGraphicsCall *call = recorder->Record(callName)) {
        call->shader = shader;
        SetRecordedPath(*call, path);
    }
    return shader;
}

Shader *SoftwareGraphics::CreateVertexShaderFromFile(CTSTR path)
{
    return CreateShaderFromFile("CreateVertexShaderFromFile", ShaderStage::Vertex, path);
}

Shader *SoftwareGraphics::CreatePixelShaderFromFile(CTSTR path)
{
    return CreateShaderFromFile("CreatePixelShaderFromFile", ShaderStage::Pixel, path);
}

void SoftwareGraphics::LoadSamplerState(SamplerState *sampler, UINT unit)
{
    if (RecordedGraphicsCall *call = recorder->Record("LoadSamplerState")) {
        call->sampler = sampler;
        SetRecordedInts(*call, {unit});
    }
    // Sprites sample one texture, so only unit 0 matters.
    if (unit == 0)
        loadedSampler->sampler = sampler;
}

void SoftwareGraphics::LoadVertexShader(Shader *shader)
{
    if (RecordedGraphicsCall *call = recorder->Record("LoadVertexShader"))
        call->shader = shader;
    loadedVertexShader = shader;
}

void SoftwareGraphics::LoadPixelShader(Shader *shader)
{
    if (RecordedGraphicsCall *call = recorder->Record("LoadPixelShader"))
        call->shader = shader;
    loadedPixelShader = shader;
}

Shader *SoftwareGraphics::GetCurrentVertexShader()
{
    if (RecordedGraphicsCall *call = recorder->Record("GetCurrentVertexShader"))
        call->shader = loadedVertexShader;
    return loadedVertexShader;
}

Shader *SoftwareGraphics::GetCurrentPixelShader()
{
    if (RecordedGraphicsCall *call = recorder->Record("GetCurrentPixelShader"))
        call->shader = loadedPixelShader;
    return loadedPixelShader;
}

ClipRect SoftwareGraphics::CurrentClip() const
{
    const ClipRect whole = FrameClip(frame);
    if (!scissor)
        return whole;
    return IntersectClip(whole, ClipRect{scissor->x, scissor->y, scissor->cx, scissor->cy});
}

SamplingMode SoftwareGraphics::CurrentSampling() const
{
    if (auto *sampler = dynamic_cast<const SoftwareSampler *>(loadedSampler->sampler))
        return sampler->Mode();
    return DefaultSamplingMode();
}

void SoftwareGraphics::DrawQuad(Texture *texture, DWORD colour, const SpriteQuad &quad)
{
    auto *softwareTexture = dynamic_cast<SoftwareTexture *>(texture);
    if (!drawing || !softwareTexture)
        return;
    DrawTexturedQuad(frame, CurrentClip(), quad, softwareTexture->View(), CurrentSampling(), colour);
}

void SoftwareGraphics::DrawSprite(Texture *texture, DWORD colour, float x, float y, float x2, float y2)
{
    if (RecordedGraphicsCall *call = recorder->Record("DrawSprite")) {
        call->texture = texture;
        call->colour = colour;
        SetRecordedFloats(*call, {x, y, x2, y2});
    }
    DrawQuad(texture, colour, SpriteQuad{x, y, x2, y2, 0.0, 0.0, 1.0, 1.0});
}

void SoftwareGraphics::DrawSpriteEx(Texture *texture, DWORD colour, float x, float y, float x2, float y2,
                                    float u, float v, float u2, float v2)
{
    if (RecordedGraphicsCall *call = recorder->Record("DrawSpriteEx")) {
        call->texture = texture;
        call->colour = colour;
        SetRecordedFloats(*call, {x, y, x2, y2, u, v, u2, v2});
    }
    DrawQuad(texture, colour, SpriteQuad{x, y, x2, y2, u, v, u2, v2});
}

void SoftwareGraphics::DrawBox(const Vect2 &position, const Vect2 &size)
{
    auto *pixelShader = dynamic_cast<const SoftwareShader *>(loadedPixelShader);
    const Color4 fill = pixelShader ? pixelShader->FillColour() : Color4();
    if (RecordedGraphicsCall *call = recorder->Record("DrawBox")) {
        call->shader = loadedPixelShader;
        SetRecordedFloats(*call, {position.x, position.y, size.x, size.y});
        call->hasColour4 = pixelShader ? 1 : 0;
        call->colour4 = fill;
    }
    // Without a pixel shader nothing defines the colour, so nothing is drawn.
    if (!drawing || !pixelShader)
        return;
    FillQuad(frame, CurrentClip(), position.x, position.y, static_cast<double>(position.x) + size.x,
             static_cast<double>(position.y) + size.y, ColourFromFloats(fill.x, fill.y, fill.z, fill.w));
}

void SoftwareGraphics::SetScissorRect(XRect *rect)
{
    if (RecordedGraphicsCall *call = recorder->Record("SetScissorRect")) {
        call->hasRect = rect ? 1 : 0;
        if (rect)
            call->rect = *rect;
    }
    if (rect)
        scissor = *rect;
    else
        scissor.reset();
}
