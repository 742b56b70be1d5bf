#pragma once
#include "host/OBSApi.h"

#include <string>

// A host String as a comparable value; an empty one (no buffer at all) gives "".
inline std::wstring Text(const String &value)
{
    return value.Array() ? std::wstring(value.Array(), value.Length()) : std::wstring();
}
