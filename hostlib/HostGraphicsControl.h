#pragma once
// Control of the host library's software graphics system, for the headless host and tests:
// create one of a given size, install it as GS, read back pixels and the recorded calls,
// save PNG files. None of this is part of what plug-ins see.
#include "host/OBSApi.h"

#include <string>
#include <vector>

// One call into the graphics system or one of its objects, in call order. Unused fields are
// zero. Names: the GraphicsSystem operation ("DrawSprite", "SetScissorRect", ...), or an
// object operation "Texture::SetImage", "Shader::SetColor", "Shader::GetParameter", and
// "Texture::Release", "SamplerState::Release", "Shader::Release" for deletions.
struct RecordedGraphicsCall {
    char name[32];
    const void *texture;     // the texture argument, or the texture created
    const void *sampler;     // the sampler argument, or the sampler created
    const void *shader;      // the shader argument, created or returned
    DWORD colour;            // sprite colour, 0xAARRGGBB
    int floatCount;
    float floats[8];         // coordinates in argument order (DrawBox: x, y, cx, cy)
    int intCount;
    unsigned ints[4];        // integer arguments in order: sizes and format, unit, format and pitch, index
    int hasRect;             // SetScissorRect: 0 when called with null
    XRect rect;
    int hasSamplerInfo;      // CreateSamplerState
    SamplerInfo samplerInfo;
    int hasColour4;          // Shader::SetColor argument; DrawBox: the colour it filled with
    Color4 colour4;
    const void *parameter;   // Shader::SetColor / GetParameter handle
    wchar_t path[260];       // shader file path, truncated
};

struct HostGraphicsObjectCounts {
    unsigned textures;
    unsigned samplers;
    unsigned shaders;
};

// A software graphics system drawing into a frame of width x height pixels (0 x 0 is fine
// when only the recording matters). Drawing is on, recording off.
HOSTAPI GraphicsSystem *HostCreateSoftwareGraphics(unsigned width, unsigned height);
// Deletes a system made by HostCreateSoftwareGraphics; uninstalls it first if it is GS.
HOSTAPI void HostDestroySoftwareGraphics(GraphicsSystem *graphics);
// Sets GS (null allowed).
HOSTAPI void HostInstallGraphics(GraphicsSystem *graphics);

// The rest take a system made by HostCreateSoftwareGraphics and do nothing (or return
// zero/false) for anything else.
HOSTAPI void HostSetGraphicsDrawing(GraphicsSystem *graphics, bool drawing);
HOSTAPI void HostSetGraphicsRecording(GraphicsSystem *graphics, bool recording);
HOSTAPI void HostClearGraphicsRecording(GraphicsSystem *graphics);
HOSTAPI unsigned HostGraphicsRecordingSize(GraphicsSystem *graphics);
HOSTAPI bool HostGraphicsRecordedCall(GraphicsSystem *graphics, unsigned index, RecordedGraphicsCall *call);

HOSTAPI void HostClearFrame(GraphicsSystem *graphics, DWORD argb);
HOSTAPI unsigned HostFrameWidth(GraphicsSystem *graphics);
HOSTAPI unsigned HostFrameHeight(GraphicsSystem *graphics);
// Straight-alpha BGRA, rows top first, pitch width * 4.
HOSTAPI const BYTE *HostFramePixels(GraphicsSystem *graphics);
// 0xAARRGGBB; 0 outside the frame.
HOSTAPI DWORD HostFramePixel(GraphicsSystem *graphics, unsigned x, unsigned y);
// Writes the frame as an RGBA PNG file; false when it cannot be written.
HOSTAPI bool HostSaveFramePng(GraphicsSystem *graphics, CTSTR path);

// The pixels of a texture made by the software system (BGRA, pitch Width() * 4), or null.
HOSTAPI const BYTE *HostTexturePixels(const Texture *texture);
// Textures, samplers and shaders created and not yet deleted, over all software systems.
HOSTAPI HostGraphicsObjectCounts HostLiveGraphicsObjects();

// Conveniences for tests, built on the calls above.

inline std::vector<RecordedGraphicsCall> HostGraphicsRecording(GraphicsSystem *graphics)
{
    std::vector<RecordedGraphicsCall> calls(HostGraphicsRecordingSize(graphics));
    for (unsigned i = 0; i < calls.size(); ++i)
        HostGraphicsRecordedCall(graphics, i, &calls[i]);
    return calls;
}

inline std::vector<std::string> HostGraphicsCallNames(GraphicsSystem *graphics)
{
    std::vector<std::string> names;
    for (const RecordedGraphicsCall &call : HostGraphicsRecording(graphics))
        names.emplace_back(call.name);
    return names;
}

// Creates a software system, installs it as GS and puts the previous GS back when it ends.
class ScopedSoftwareGraphics {
    GraphicsSystem *graphics;
    GraphicsSystem *previous;

public:
    ScopedSoftwareGraphics(unsigned width, unsigned height, bool recording = true)
        : graphics(HostCreateSoftwareGraphics(width, height)), previous(GS)
    {
        HostSetGraphicsRecording(graphics, recording);
        HostInstallGraphics(graphics);
    }
    ~ScopedSoftwareGraphics()
    {
        HostInstallGraphics(previous);
        HostDestroySoftwareGraphics(graphics);
    }
    ScopedSoftwareGraphics(const ScopedSoftwareGraphics &) = delete;
    ScopedSoftwareGraphics &operator=(const ScopedSoftwareGraphics &) = delete;

    GraphicsSystem *get() const { return graphics; }
    GraphicsSystem *operator->() const { return graphics; }
    std::vector<RecordedGraphicsCall> Recording() const { return HostGraphicsRecording(graphics); }
    std::vector<std::string> CallNames() const { return HostGraphicsCallNames(graphics); }
    void ClearRecording() const { HostClearGraphicsRecording(graphics); }
    void ClearFrame(DWORD argb) const { HostClearFrame(graphics, argb); }
    DWORD Pixel(unsigned x, unsigned y) const { return HostFramePixel(graphics, x, y); }
};
