#include "source/TypographicFormat.h"
#include "source/TextFormatRules.h"

namespace {
// GDI+ owns the generic format; it is never deleted.
Gdiplus::GpStringFormat *sharedTypographicFormat = nullptr;
} // namespace

GdipStringFormat CloneTypographicFormat(int flags)
{
    GdipStringFormat clone;
    clone.Check(gdip::GdipStringFormatGetGenericTypographic(&sharedTypographicFormat));
    clone.Check(gdip::GdipCloneStringFormat(sharedTypographicFormat, clone.receive()));
    if (clone) {
        clone.Check(gdip::GdipSetStringFormatFlags(clone.get(), flags));
        clone.Check(gdip::GdipSetStringFormatTrimming(
            clone.get(), static_cast<Gdiplus::StringTrimming>(kTrimmingWord)));
    }
    return clone;
}

Gdiplus::GpStringFormat *SharedTypographicFormat()
{
    return sharedTypographicFormat;
}
