#include "hostlib/graphics/PngWriter.h"

#include "win/Handle.h"

#include <utility>
#include <vector>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb/stb_image_write.h>

namespace {

struct PngFile {
    win::UniqueHandle handle;
    bool failed = false;
};

void WriteChunk(void *context, void *data, int size)
{
    auto *file = static_cast<PngFile *>(context);
    DWORD written = 0;
    if (!WriteFile(file->handle.get(), data, static_cast<DWORD>(size), &written, nullptr) ||
        written != static_cast<DWORD>(size))
        file->failed = true;
}

} // namespace

bool WriteFramePng(const FrameBuffer &frame, const wchar_t *path)
{
    if (!path || frame.Width() == 0 || frame.Height() == 0)
        return false;
    std::vector<unsigned char> rgba(frame.Pixels(), frame.Pixels() + static_cast<size_t>(frame.Width()) * frame.Height() * 4);
    for (size_t i = 0; i < rgba.size(); i += 4)
        std::swap(rgba[i], rgba[i + 2]);

    // Frames are written by the hundred: light compression and no per-row filter search
    // roughly halve the time, and mostly flat frames stay small anyway.
    stbi_write_png_compression_level = 2;
    stbi_write_force_png_filter = 0;
    PngFile file{win::UniqueHandle(CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr))};
    if (!file.handle)
        return false;
    const int encoded = stbi_write_png_to_func(WriteChunk, &file, static_cast<int>(frame.Width()),
                                               static_cast<int>(frame.Height()), 4, rgba.data(),
                                               static_cast<int>(frame.Width() * 4));
    file.handle.reset();
    if (!encoded || file.failed) {
        DeleteFileW(path);
        return false;
    }
    return true;
}
