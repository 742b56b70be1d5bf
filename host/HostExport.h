#pragma once
// Symbols of the host API library (OBSApi.dll). The library itself builds with
// HOSTAPI_BUILDING_LIBRARY defined; plug-ins and programs import.
// Elsewhere (the native fuzz build of the configuration tree) there is nothing to export.
#if !defined(_WIN32)
#define HOSTAPI
#elif defined(HOSTAPI_BUILDING_LIBRARY)
#define HOSTAPI __declspec(dllexport)
#else
#define HOSTAPI __declspec(dllimport)
#endif

#ifdef _WIN32
#include <windows.h>
#endif

typedef const wchar_t *CTSTR;
typedef wchar_t *TSTR;
