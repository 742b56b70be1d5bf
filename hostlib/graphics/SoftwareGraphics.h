#pragma once
#include "hostlib/graphics/FrameBuffer.h"
#include "hostlib/graphics/GraphicsRecorder.h"
#include "hostlib/graphics/Rasteriser.h"
#include "hostlib/graphics/SoftwareObjects.h"

#include <memory>
#include <optional>

// The host's graphics system without a GPU: draws sprites and boxes into a frame buffer
// and can record every call. Sprites ignore the loaded shaders (they always sample and
// tint); boxes fill with the loaded pixel shader's colour.
class SoftwareGraphics final : public GraphicsSystem {
    FrameBuffer frame;
    std::shared_ptr<GraphicsRecorder> recorder = std::make_shared<GraphicsRecorder>();
    bool drawing = true;
    std::shared_ptr<LoadedSamplerSlot> loadedSampler = std::make_shared<LoadedSamplerSlot>();
    Shader *loadedVertexShader = nullptr;
    Shader *loadedPixelShader = nullptr;
    std::optional<XRect> scissor;

    ClipRect CurrentClip() const;
    SamplingMode CurrentSampling() const;
    void DrawQuad(Texture *texture, DWORD colour, const SpriteQuad &quad);
    Shader *CreateShaderFromFile(const char *callName, ShaderStage stage, CTSTR path);

public:
    SoftwareGraphics(unsigned width, unsigned height);

    FrameBuffer &Frame() { return frame; }
    GraphicsRecorder &Recorder() { return *recorder; }
    void SetDrawing(bool on) { drawing = on; }

    Texture *CreateTexture(unsigned width, unsigned height, GSColorFormat colorFormat, void *pixels,
                           BOOL buildMipMaps, BOOL isStatic) override;
    SamplerState *CreateSamplerState(SamplerInfo &info) override;
    Shader *CreateVertexShaderFromFile(CTSTR path) override;
    Shader *CreatePixelShaderFromFile(CTSTR path) override;

    void LoadSamplerState(SamplerState *sampler, UINT unit) override;
    void LoadVertexShader(Shader *shader) override;
    void LoadPixelShader(Shader *shader) override;
    Shader *GetCurrentVertexShader() override;
    Shader *GetCurrentPixelShader() override;

    void DrawSprite(Texture *texture, DWORD colour, float x, float y, float x2, float y2) override;
    void DrawSpriteEx(Texture *texture, DWORD colour, float x, float y, float x2, float y2,
                      float u, float v, float u2, float v2) override;
    void DrawBox(const Vect2 &position, const Vect2 &size) override;
    void SetScissorRect(XRect *rect = nullptr) override;
};
