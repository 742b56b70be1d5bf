// What the host library's configuration tree needs from its Windows-only files, for the native
// build: text conversion through the companion's converter in place of win/Text.cpp (one wide
// character per UTF-16 unit as on Windows, invalid input becoming U+FFFD as there), and a tree
// with no file behind it.
#include "companion/plauditor/Utf.h"
#include "hostlib/core/TextConversion.h"
#include "host/HostConfig.h"

std::wstring win::WideFromUtf8(std::string_view utf8)
{
    const std::u16string units = Utf8ToUtf16(utf8);
    return std::wstring(units.begin(), units.end());
}

std::string win::Utf8FromWide(std::wstring_view wide)
{
    std::u16string units;
    for (const wchar_t c : wide)
        units += static_cast<char16_t>(c);
    return Utf16ToUtf8(units);
}

XConfig::XConfig() {}
XConfig::~XConfig() { Close(); }

void XConfig::Create(CTSTR)
{
    Close();
    root = new XElement(nullptr, L"");
}

void XConfig::Close()
{
    delete root;
    root = nullptr;
}
