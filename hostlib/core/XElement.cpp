// Configuration tree node: typed values and child elements in insertion order.
#include "XElementBody.h"

#include <cmath>
#include <climits>

namespace {

std::wstring_view NameOf(CTSTR name) { return name ? std::wstring_view(name) : std::wstring_view(); }

int IntFromFloat(float value, int fallback)
{
    if (std::isnan(value))
        return fallback;
    if (value >= 2147483647.0f)
        return INT_MAX;
    if (value <= -2147483648.0f)
        return INT_MIN;
    return int(value);
}

}  // namespace

const XElement::Body::Member *XElement::Body::FindValue(CTSTR valueName) const
{
    for (const auto &member : members) {
        if (member->kind != Kind::Element && member->name == NameOf(valueName))
            return member.get();
    }
    return nullptr;
}

XElement::Body::Member *XElement::Body::FindValue(CTSTR valueName)
{
    return const_cast<Member *>(static_cast<const Body *>(this)->FindValue(valueName));
}

XElement::Body::Member &XElement::Body::ValueSlot(CTSTR valueName)
{
    if (Member *existing = FindValue(valueName))
        return *existing;
    auto member = std::make_unique<Member>();
    member->name = NameOf(valueName);
    members.push_back(std::move(member));
    return *members.back();
}

XElement::XElement(XElement *parentElement, CTSTR name) : parent(parentElement), body(new Body)
{
    body->name = NameOf(name);
}

XElement::~XElement()
{
    for (auto &member : body->members)
        delete member->element;
    delete body;
}

CTSTR XElement::GetName() const { return body->name.c_str(); }

CTSTR XElement::GetString(CTSTR name, CTSTR defaultValue) const
{
    const Body::Member *value = body->FindValue(name);
    if (!value || value->kind != Body::Kind::Text)
        return defaultValue;
    return value->text.c_str();
}

int XElement::GetInt(CTSTR name, int defaultValue) const
{
    const Body::Member *value = body->FindValue(name);
    if (!value)
        return defaultValue;
    switch (value->kind) {
    case Body::Kind::Int: return value->intValue;
    case Body::Kind::Float: return IntFromFloat(value->floatValue, defaultValue);
    default: return defaultValue;
    }
}

float XElement::GetFloat(CTSTR name, float defaultValue) const
{
    const Body::Member *value = body->FindValue(name);
    if (!value)
        return defaultValue;
    switch (value->kind) {
    case Body::Kind::Float: return value->floatValue;
    case Body::Kind::Int: return float(value->intValue);
    default: return defaultValue;
    }
}

bool XElement::HasItem(CTSTR name) const { return body->FindValue(name) != nullptr; }

void XElement::SetString(CTSTR name, CTSTR value)
{
    Body::Member &slot = body->ValueSlot(name);
    slot.kind = Body::Kind::Text;
    slot.text = value ? value : L"";
}

void XElement::SetInt(CTSTR name, int value)
{
    Body::Member &slot = body->ValueSlot(name);
    slot.kind = Body::Kind::Int;
    slot.intValue = value;
    slot.text.clear();
}

void XElement::SetFloat(CTSTR name, float value)
{
    Body::Member &slot = body->ValueSlot(name);
    slot.kind = Body::Kind::Float;
    slot.floatValue = value;
    slot.text.clear();
}

void XElement::RemoveItem(CTSTR name)
{
    auto &members = body->members;
    for (auto it = members.begin(); it != members.end(); ++it) {
        if ((*it)->kind != Body::Kind::Element && (*it)->name == NameOf(name)) {
            members.erase(it);
            return;
        }
    }
}

XElement *XElement::GetElement(CTSTR name) const
{
    for (const auto &member : body->members) {
        if (member->kind == Body::Kind::Element && member->name == NameOf(name))
            return member->element;
    }
    return nullptr;
}

XElement *XElement::CreateElement(CTSTR name)
{
    // A JSON object holds each name once, so an existing child is handed back instead of
    // a second one that the next save could not keep.
    if (XElement *existing = GetElement(name))
        return existing;
    auto member = std::make_unique<Body::Member>();
    member->name = NameOf(name);
    member->kind = Body::Kind::Element;
    member->element = new XElement(this, name);
    body->members.push_back(std::move(member));
    return body->members.back()->element;
}

unsigned XElement::NumElements() const
{
    unsigned count = 0;
    for (const auto &member : body->members)
        count += member->kind == Body::Kind::Element;
    return count;
}

XElement *XElement::GetElementByID(unsigned index) const
{
    for (const auto &member : body->members) {
        if (member->kind == Body::Kind::Element && index-- == 0)
            return member->element;
    }
    return nullptr;
}
