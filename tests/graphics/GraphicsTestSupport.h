#pragma once
#include "hostlib/HostGraphicsControl.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempFolder.h"

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

// A file holding `contents` in a folder of its own, removed with it.
class TemporaryFile {
    TempFolder folder;
    std::wstring path;

public:
    explicit TemporaryFile(const std::string &contents, const wchar_t *suffix = L".tmp")
        : path(folder / (L"file" + std::wstring(suffix)))
    {
        WriteFileBytes(path, contents);
    }
    const wchar_t *Path() const { return path.c_str(); }
};
