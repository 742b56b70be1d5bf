#pragma once
// Header only: a program that includes it links ole32.
#include <objbase.h>

#include <string>

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" for a new GUID: a scene identifier no other test
// uses, so the named blocks of different tests never meet.
inline std::wstring FreshGuidText()
{
    GUID guid{};
    CoCreateGuid(&guid);
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}
