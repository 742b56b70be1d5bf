#pragma once
// Symbols of the host API library (OBSApi.dll). The library itself builds with
// HOSTAPI_BUILDING_LIBRARY defined; plug-ins and programs import.
#ifdef HOSTAPI_BUILDING_LIBRARY
#define HOSTAPI __declspec(dllexport)
#else
#define HOSTAPI __declspec(dllimport)
#endif

#include <windows.h>

typedef const wchar_t *CTSTR;
typedef wchar_t *TSTR;
