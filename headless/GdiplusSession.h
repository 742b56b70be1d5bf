#pragma once
// GDI+ running for as long as this lives. The plug-in draws text with GDI+ and relies on
// the host having started it.
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

class GdiplusSession {
    ULONG_PTR token = 0;

public:
    GdiplusSession()
    {
        Gdiplus::GdiplusStartupInput input;
        if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok)
            token = 0;
    }
    ~GdiplusSession()
    {
        if (token)
            Gdiplus::GdiplusShutdown(token);
    }
    GdiplusSession(const GdiplusSession &) = delete;
    GdiplusSession &operator=(const GdiplusSession &) = delete;
    bool Started() const { return token != 0; }
};
