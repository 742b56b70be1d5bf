#pragma once
#include "hostlib/graphics/GraphicsRecorder.h"
#include "hostlib/graphics/TexelSampling.h"

#include <memory>
#include <string>
#include <vector>

// The objects the software graphics system hands out. Each keeps the system's recorder so
// its own operations and its deletion show in the recording.

class SoftwareTexture final : public Texture {
    std::shared_ptr<GraphicsRecorder> recorder;
    unsigned width;
    unsigned height;
    std::vector<uint8_t> pixels;

public:
    // `initial` is BGRA with pitch width * 4, or null for transparent black.
    SoftwareTexture(std::shared_ptr<GraphicsRecorder> callRecorder, unsigned textureWidth,
                    unsigned textureHeight, const void *initial);
    ~SoftwareTexture() override;

    unsigned Width() const override { return width; }
    unsigned Height() const override { return height; }
    // Takes BGRA rows `pitch` bytes apart; other formats, a null source or a pitch shorter
    // than a row leave the texture unchanged.
    void SetImage(void *source, GSImageFormat format, UINT pitch) override;

    const uint8_t *Pixels() const { return pixels.data(); }
    TexelView View() const { return {pixels.data(), width, height}; }
};

// The sampler a system has loaded in unit 0, shared with the samplers it made: one deleted
// while loaded empties the slot instead of leaving the system a dangling pointer (a
// plug-in's source leaves its scrolling sampler loaded, and the source may go first).
struct LoadedSamplerSlot {
    SamplerState *sampler = nullptr;
};

class SoftwareSampler final : public SamplerState {
    std::shared_ptr<GraphicsRecorder> recorder;
    std::shared_ptr<LoadedSamplerSlot> slot;
    SamplerInfo info;

public:
    SoftwareSampler(std::shared_ptr<GraphicsRecorder> callRecorder, std::shared_ptr<LoadedSamplerSlot> loadedSlot,
                    const SamplerInfo &samplerInfo);
    ~SoftwareSampler() override;

    const SamplerInfo &GetSamplerInfo() const override { return info; }
    SamplingMode Mode() const;
};

enum class ShaderStage { Vertex, Pixel };

class SoftwareShader final : public Shader {
public:
    struct Parameter {
        std::string name;
        Color4 value;
    };

private:
    std::shared_ptr<GraphicsRecorder> recorder;
    ShaderStage stage;
    std::unique_ptr<Parameter[]> parameters;   // fixed storage: handles point into it
    unsigned parameterCount;

public:
    SoftwareShader(std::shared_ptr<GraphicsRecorder> callRecorder, ShaderStage shaderStage,
                   const std::vector<std::string> &parameterNames);
    ~SoftwareShader() override;

    // A handle for the index-th declared parameter, or null past the last.
    HANDLE GetParameter(UINT index) const override;
    // Stores the colour when the handle is one of this shader's parameters.
    void SetColor(HANDLE parameter, const Color4 &colour) override;

    ShaderStage Stage() const { return stage; }
    // What a solid fill with this shader paints: its "color" parameter, else its first.
    // Transparent black when it has none.
    Color4 FillColour() const;
};

// The default when no sampler is loaded: bilinear, clamped.
SamplingMode DefaultSamplingMode();
