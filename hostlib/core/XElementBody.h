#pragma once
// The storage behind XElement, shared with the JSON reader and writer.
#include "host/HostConfig.h"

#include <memory>
#include <string>
#include <vector>

struct XElement::Body {
    enum class Kind { Int, Float, Text, Element };

    // A named value or child element; one list keeps the order they were added in.
    struct Member {
        std::wstring name;
        Kind kind = Kind::Int;
        int intValue = 0;
        float floatValue = 0.0f;
        std::wstring text;
        XElement *element = nullptr;   // owned, for Kind::Element
    };

    std::wstring name;
    // Held by pointer so text handed out by GetString survives later additions.
    std::vector<std::unique_ptr<Member>> members;

    const Member *FindValue(CTSTR valueName) const;
    Member *FindValue(CTSTR valueName);
    // The value member named valueName, added at the end when missing.
    Member &ValueSlot(CTSTR valueName);
};
