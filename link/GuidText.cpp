#include "link/GuidText.h"

#include "link/PlatformSeams.h"

#include <cstdio>

String GuidToString(const GUID &guid)
{
    // Every field is widened to unsigned first, so no sign extension reaches the text.
    char text[64] = {};
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(guid.Data1), static_cast<unsigned>(guid.Data2),
                  static_cast<unsigned>(guid.Data3), static_cast<unsigned>(guid.Data4[0]),
                  static_cast<unsigned>(guid.Data4[1]), static_cast<unsigned>(guid.Data4[2]),
                  static_cast<unsigned>(guid.Data4[3]), static_cast<unsigned>(guid.Data4[4]),
                  static_cast<unsigned>(guid.Data4[5]), static_cast<unsigned>(guid.Data4[6]),
                  static_cast<unsigned>(guid.Data4[7]));
    return String(text);
}

bool IsEmptyIdentifier(const String &value)
{
    return value == static_cast<CTSTR>(nullptr) || value.Length() == 0;
}

String EnsureGuidSetting(XElement *element, CTSTR key)
{
    // One named result on every path, so it is built in the caller's place: Preprocess asks
    // for the scene identifier every frame, and a returned copy would cost an allocation.
    String value;
    if (!element)
        return value;
    value = element->GetString(key, L"");
    if (IsEmptyIdentifier(value)) {
        GUID guid{};
        Platform().createGuid(&guid);  // cannot fail in a way the caller could mend
        value = GuidToString(guid);
        element->SetString(key, value);
    }
    return value;
}

XElement *SceneElementOf(XElement *data)
{
    return data && data->parent ? data->parent->parent : nullptr;
}
