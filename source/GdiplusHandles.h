#pragma once
// The GDI and GDI+ objects the rasteriser creates and frees within one rebuild (GDI's owners
// are the shared ones), and the GDI+ flat API. The lean Windows headers leave out the
// property types GDI+ needs.
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include "source/TextureLayout.h"
#include "win/Handle.h"

namespace gdip = Gdiplus::DllExports;

// Owners of GDI+ objects. Each keeps the last failed status of the calls made on it, which
// is all that most failures leave behind: drawing goes on without the object.

namespace gdiplus_detail {

inline void Release(Gdiplus::GpFont *object) { gdip::GdipDeleteFont(object); }
inline void Release(Gdiplus::GpFontFamily *object) { gdip::GdipDeleteFontFamily(object); }
inline void Release(Gdiplus::GpStringFormat *object) { gdip::GdipDeleteStringFormat(object); }
inline void Release(Gdiplus::GpGraphics *object) { gdip::GdipDeleteGraphics(object); }
inline void Release(Gdiplus::GpBitmap *object) { gdip::GdipDisposeImage(object); }
inline void Release(Gdiplus::GpSolidFill *object) { gdip::GdipDeleteBrush(object); }
inline void Release(Gdiplus::GpPen *object) { gdip::GdipDeletePen(object); }
inline void Release(Gdiplus::GpPath *object) { gdip::GdipDeletePath(object); }

} // namespace gdiplus_detail

template <typename T>
class GdipObject {
    T *object = nullptr;
    Gdiplus::GpStatus lastStatus = Gdiplus::Ok;

public:
    GdipObject() = default;
    ~GdipObject() { reset(); }
    GdipObject(GdipObject &&other) noexcept
        : object(other.object), lastStatus(other.lastStatus)
    {
        other.object = nullptr;
    }
    GdipObject &operator=(GdipObject &&other) noexcept
    {
        if (this != &other) {
            reset();
            object = other.object;
            lastStatus = other.lastStatus;
            other.object = nullptr;
        }
        return *this;
    }
    GdipObject(const GdipObject &) = delete;
    GdipObject &operator=(const GdipObject &) = delete;

    T *get() const { return object; }
    explicit operator bool() const { return object != nullptr; }

    // The out-parameter of a creating call; whatever was held is released first.
    T **receive()
    {
        reset();
        return &object;
    }

    void reset()
    {
        if (object)
            gdiplus_detail::Release(object);
        object = nullptr;
    }

    // Keeps a failed status; returns the status either way.
    Gdiplus::GpStatus Check(Gdiplus::GpStatus status)
    {
        if (status != Gdiplus::Ok)
            lastStatus = status;
        return status;
    }
    Gdiplus::GpStatus LastStatus() const { return lastStatus; }
};

using GdipFont = GdipObject<Gdiplus::GpFont>;
using GdipFontFamily = GdipObject<Gdiplus::GpFontFamily>;
using GdipStringFormat = GdipObject<Gdiplus::GpStringFormat>;
using GdipGraphics = GdipObject<Gdiplus::GpGraphics>;
using GdipBitmap = GdipObject<Gdiplus::GpBitmap>;
using GdipSolidFill = GdipObject<Gdiplus::GpSolidFill>;
using GdipPen = GdipObject<Gdiplus::GpPen>;
using GdipPath = GdipObject<Gdiplus::GpPath>;

// A box as GDI+ takes a layout rectangle.
inline Gdiplus::RectF ToRectF(const TextBox &box)
{
    return Gdiplus::RectF(box.x, box.y, box.width, box.height);
}
