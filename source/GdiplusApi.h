#pragma once
// The GDI+ flat API. The lean Windows headers leave out the property types GDI+ needs.
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

namespace gdip = Gdiplus::DllExports;
