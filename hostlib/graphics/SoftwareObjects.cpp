#include "hostlib/graphics/SoftwareObjects.h"
#include "hostlib/graphics/LiveObjectCounts.h"

#include <cstring>
#include <utility>

SoftwareTexture::SoftwareTexture(std::shared_ptr<GraphicsRecorder> callRecorder, unsigned textureWidth,
                                 unsigned textureHeight, const void *initial)
    : recorder(std::move(callRecorder)), width(textureWidth), height(textureHeight)
{
    // Copied straight in: zero-filling first doubles the time for the largest textures.
    const size_t bytes = static_cast<size_t>(textureWidth) * textureHeight * 4;
    if (initial)
        pixels.assign(static_cast<const uint8_t *>(initial), static_cast<const uint8_t *>(initial) + bytes);
    else
        pixels.assign(bytes, 0);
    CountObjectCreated(GraphicsObjectKind::Texture);
}

SoftwareTexture::~SoftwareTexture()
{
    if (RecordedGraphicsCall *call = recorder->Record("Texture::Release"))
        call->texture = this;
    CountObjectDeleted(GraphicsObjectKind::Texture);
}

void SoftwareTexture::SetImage(void *source, GSImageFormat format, UINT pitch)
{
    if (RecordedGraphicsCall *call = recorder->Record("Texture::SetImage")) {
        call->texture = this;
        SetRecordedInts(*call, {static_cast<unsigned>(format), pitch});
    }
    const size_t rowBytes = static_cast<size_t>(width) * 4;
    if (!source || format != GS_IMAGEFORMAT_BGRA || pitch < rowBytes)
        return;
    const auto *row = static_cast<const uint8_t *>(source);
    for (unsigned y = 0; y < height; ++y, row += pitch)
        std::memcpy(pixels.data() + y * rowBytes, row, rowBytes);
}

SoftwareSampler::SoftwareSampler(std::shared_ptr<GraphicsRecorder> callRecorder,
                                 std::shared_ptr<LoadedSamplerSlot> loadedSlot, const SamplerInfo &samplerInfo)
    : recorder(std::move(callRecorder)), slot(std::move(loadedSlot)), info(samplerInfo)
{
    CountObjectCreated(GraphicsObjectKind::Sampler);
}

SoftwareSampler::~SoftwareSampler()
{
    if (slot && slot->sampler == this)
        slot->sampler = nullptr;
    if (RecordedGraphicsCall *call = recorder->Record("SamplerState::Release"))
        call->sampler = this;
    CountObjectDeleted(GraphicsObjectKind::Sampler);
}

SamplingMode SoftwareSampler::Mode() const
{
    SamplingMode mode;
    mode.point = info.filter == GS_FILTER_POINT;
    mode.wrapU = info.addressU == GS_ADDRESS_WRAP;
    mode.wrapV = info.addressV == GS_ADDRESS_WRAP;
    return mode;
}

SamplingMode DefaultSamplingMode()
{
    return SamplingMode{};
}

SoftwareShader::SoftwareShader(std::shared_ptr<GraphicsRecorder> callRecorder, ShaderStage shaderStage,
                               const std::vector<std::string> &parameterNames)
    : recorder(std::move(callRecorder)), stage(shaderStage),
      parameters(new Parameter[parameterNames.size()]), parameterCount(static_cast<unsigned>(parameterNames.size()))
{
    for (unsigned i = 0; i < parameterCount; ++i)
        parameters[i].name = parameterNames[i];
    CountObjectCreated(GraphicsObjectKind::Shader);
}

SoftwareShader::~SoftwareShader()
{
    if (RecordedGraphicsCall *call = recorder->Record("Shader::Release"))
        call->shader = this;
    CountObjectDeleted(GraphicsObjectKind::Shader);
}

HANDLE SoftwareShader::GetParameter(UINT index) const
{
    HANDLE handle = index < parameterCount ? static_cast<HANDLE>(&parameters[index]) : nullptr;
    if (RecordedGraphicsCall *call = recorder->Record("Shader::GetParameter")) {
        call->shader = this;
        call->parameter = handle;
        SetRecordedInts(*call, {index});
    }
    return handle;
}

void SoftwareShader::SetColor(HANDLE parameter, const Color4 &colour)
{
    if (RecordedGraphicsCall *call = recorder->Record("Shader::SetColor")) {
        call->shader = this;
        call->parameter = parameter;
        call->hasColour4 = 1;
        call->colour4 = colour;
    }
    for (unsigned i = 0; i < parameterCount; ++i)
        if (parameter == &parameters[i])
            parameters[i].value = colour;
}

Color4 SoftwareShader::FillColour() const
{
    for (unsigned i = 0; i < parameterCount; ++i)
        if (parameters[i].name == "color")
            return parameters[i].value;
    return parameterCount ? parameters[0].value : Color4();
}
