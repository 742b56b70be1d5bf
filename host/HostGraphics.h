#pragma once
#include "HostExport.h"
#include "HostMath.h"

// Colour formats for CreateTexture. GS_BGRA (6) is the layout of a 32bpp ARGB bitmap in
// memory: bytes blue, green, red, alpha; rows top first.
enum GSColorFormat {
    GS_UNKNOWNFORMAT = 0,
    GS_ALPHA = 1,
    GS_GRAYSCALE = 2,
    GS_RGB = 3,
    GS_RGBA = 4,
    GS_BGR = 5,
    GS_BGRA = 6,
};

// Pixel formats for Texture::SetImage. GS_IMAGEFORMAT_BGRA (9) matches GS_BGRA.
enum GSImageFormat {
    GS_IMAGEFORMAT_A8 = 0,
    GS_IMAGEFORMAT_L8 = 1,
    GS_IMAGEFORMAT_RGB = 2,
    GS_IMAGEFORMAT_RGBX = 3,
    GS_IMAGEFORMAT_RGBA = 4,
    GS_IMAGEFORMAT_RGBA16F = 5,
    GS_IMAGEFORMAT_RGBA32F = 6,
    GS_IMAGEFORMAT_BGR = 7,
    GS_IMAGEFORMAT_BGRX = 8,
    GS_IMAGEFORMAT_BGRA = 9,
};

enum GSSampleFilter : int {
    GS_FILTER_LINEAR = 0,
    GS_FILTER_POINT = 1,
};

enum GSAddressMode : int {
    GS_ADDRESS_CLAMP = 0,
    GS_ADDRESS_WRAP = 1,
};

// Sampler description, fields in this order.
struct SamplerInfo {
    GSSampleFilter filter;
    GSAddressMode addressU;
    GSAddressMode addressV;
    GSAddressMode addressW;
    UINT maxAnisotropy;
    Color4 borderColor;
};

class Texture {
public:
    virtual ~Texture() {}
    virtual unsigned Width() const = 0;
    virtual unsigned Height() const = 0;
    // Replaces the pixels; `pitch` is the byte length of one source row.
    virtual void SetImage(void *pixels, GSImageFormat format, UINT pitch) = 0;
};

class SamplerState {
public:
    virtual ~SamplerState() {}
    virtual const SamplerInfo &GetSamplerInfo() const = 0;
};

class Shader {
public:
    virtual ~Shader() {}
    virtual HANDLE GetParameter(UINT index) const = 0;
    virtual void SetColor(HANDLE parameter, const Color4 &colour) = 0;
};

// The host's graphics system. Creation returns null on failure. Drawing uses the loaded
// shaders and the sampler loaded into unit 0; colours are 0xAARRGGBB and modulate texels.
class GraphicsSystem {
public:
    virtual ~GraphicsSystem() {}

    virtual Texture *CreateTexture(unsigned width, unsigned height, GSColorFormat colorFormat,
                                   void *pixels, BOOL buildMipMaps, BOOL isStatic) = 0;
    virtual SamplerState *CreateSamplerState(SamplerInfo &info) = 0;
    virtual Shader *CreateVertexShaderFromFile(CTSTR path) = 0;
    virtual Shader *CreatePixelShaderFromFile(CTSTR path) = 0;

    virtual void LoadSamplerState(SamplerState *sampler, UINT unit) = 0;
    virtual void LoadVertexShader(Shader *shader) = 0;
    virtual void LoadPixelShader(Shader *shader) = 0;
    virtual Shader *GetCurrentVertexShader() = 0;
    virtual Shader *GetCurrentPixelShader() = 0;

    virtual void DrawSprite(Texture *texture, DWORD colour, float x, float y, float x2, float y2) = 0;
    virtual void DrawSpriteEx(Texture *texture, DWORD colour, float x, float y, float x2, float y2,
                              float u, float v, float u2, float v2) = 0;
    // Fills the box with the colour set on the loaded solid pixel shader.
    virtual void DrawBox(const Vect2 &position, const Vect2 &size) = 0;
    // Clips later drawing to rect; null removes the clip.
    virtual void SetScissorRect(XRect *rect = nullptr) = 0;
};

extern HOSTAPI GraphicsSystem *GS;
