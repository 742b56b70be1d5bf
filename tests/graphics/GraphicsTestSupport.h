#pragma once
#include "hostlib/HostGraphicsControl.h"
#include "tests/support/ChildProcess.h"

#include <memory>
#include <string>
#include <vector>

// Textures are deleted through their virtual destructor, as plug-ins do.
struct TextureDeleter {
    void operator()(Texture *texture) const { delete texture; }
};
using TexturePtr = std::unique_ptr<Texture, TextureDeleter>;

// A width x height texture from 0xAARRGGBB values, rows top first.
TexturePtr MakeTexture(GraphicsSystem *graphics, unsigned width, unsigned height,
                       const std::vector<DWORD> &argb);
// A point- or linear-filtering sampler with the same address mode on every axis.
SamplerState *MakeSampler(GraphicsSystem *graphics, GSSampleFilter filter, GSAddressMode address);

// One row (or column) of frame pixels, 0xAARRGGBB.
std::vector<DWORD> FrameRow(GraphicsSystem *graphics, unsigned y, unsigned fromX, unsigned count);

// A file in the temporary folder holding `contents`; removed by the destructor.
class TemporaryFile {
    std::wstring path;

public:
    explicit TemporaryFile(const std::string &contents, const wchar_t *suffix = L".tmp");
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile &) = delete;
    TemporaryFile &operator=(const TemporaryFile &) = delete;
    const wchar_t *Path() const { return path.c_str(); }
};
