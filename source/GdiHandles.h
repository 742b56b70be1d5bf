#pragma once
#include <windows.h>

// Owners of the GDI objects the rasteriser creates and frees within one call.

// A memory device context compatible with the screen.
class MemoryDC {
    HDC dc = CreateCompatibleDC(nullptr);

public:
    MemoryDC() = default;
    ~MemoryDC() { if (dc) DeleteDC(dc); }
    MemoryDC(const MemoryDC &) = delete;
    MemoryDC &operator=(const MemoryDC &) = delete;

    HDC get() const { return dc; }
    explicit operator bool() const { return dc != nullptr; }
};

// A GDI object released with DeleteObject (fonts, bitmaps).
template <typename Handle>
class GdiObject {
    Handle handle = nullptr;

public:
    GdiObject() = default;
    explicit GdiObject(Handle owned) : handle(owned) {}
    ~GdiObject() { reset(); }
    GdiObject(GdiObject &&other) noexcept : handle(other.handle) { other.handle = nullptr; }
    GdiObject &operator=(GdiObject &&other) noexcept
    {
        if (this != &other) {
            reset(other.handle);
            other.handle = nullptr;
        }
        return *this;
    }
    GdiObject(const GdiObject &) = delete;
    GdiObject &operator=(const GdiObject &) = delete;

    Handle get() const { return handle; }
    explicit operator bool() const { return handle != nullptr; }
    void reset(Handle owned = nullptr)
    {
        if (handle && handle != owned)
            DeleteObject(handle);
        handle = owned;
    }
};

using FontHandle = GdiObject<HFONT>;
using BitmapHandle = GdiObject<HBITMAP>;
