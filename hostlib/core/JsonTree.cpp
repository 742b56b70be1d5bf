#include "JsonTree.h"
#include "TextConversion.h"
#include "XElementBody.h"

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <nlohmann/json.hpp>

using Json = nlohmann::ordered_json;

namespace {

// The double whose shortest text is the float's shortest text, so 0.1f is written as 0.1
// rather than 0.10000000149011612. Non-finite values have no JSON form and are clamped.
double JsonNumberFromFloat(float value)
{
    if (std::isnan(value))
        return 0.0;
    if (std::isinf(value))
        return value > 0 ? FLT_MAX : -FLT_MAX;
    // The fewest significant digits that read back as the same float (nine always do).
    char digits[32];
    for (int precision = 1; precision <= 9; ++precision) {
        std::snprintf(digits, sizeof digits, "%.*g", precision, static_cast<double>(value));
        if (std::strtof(digits, nullptr) == value)
            break;
    }
    return std::strtod(digits, nullptr);
}

// Integers outside the int range: unsigned 32-bit values (colours written as 0xFF000000)
// wrap to the same bits; anything larger saturates.
int IntFromJson(const Json &value)
{
    if (value.is_number_unsigned()) {
        auto number = value.get<std::uint64_t>();
        if (number <= UINT_MAX)
            return int(std::uint32_t(number));
        return INT_MAX;
    }
    auto number = value.get<std::int64_t>();
    if (number < INT_MIN)
        return INT_MIN;
    if (number > INT_MAX)
        return INT_MAX;
    return int(number);
}

// Clamped as the writer clamps: past a float's range the value would read as an infinity,
// which no position or size can use and a save would not write back.
float FloatFromJson(double value)
{
    return float(std::clamp(value, double(-FLT_MAX), double(FLT_MAX)));
}

bool ToJson(const XElement &element, Json &object, std::wstring &error)
{
    object = Json::object();
    for (const auto &member : element.body->members) {
        std::string key = win::Utf8FromWide(member->name);
        if (object.contains(key)) {
            error = L"the name '" + member->name + L"' is used twice in element '" + element.GetName() + L"'";
            return false;
        }
        switch (member->kind) {
        case XElement::Body::Kind::Int: object[key] = member->intValue; break;
        case XElement::Body::Kind::Float: object[key] = JsonNumberFromFloat(member->floatValue); break;
        case XElement::Body::Kind::Text: object[key] = win::Utf8FromWide(member->text); break;
        case XElement::Body::Kind::Element:
            if (!ToJson(*member->element, object[key], error))
                return false;
            break;
        }
    }
    return true;
}

// Deeper trees are not configuration; the limit keeps recursion off the stack's edge.
constexpr size_t maxDepth = 200;

bool FromJson(const Json &object, XElement &element, const std::wstring &where, std::wstring &error,
              size_t depth = 0)
{
    if (depth > maxDepth) {
        error = L"elements nested too deeply at '" + where + L"'";
        return false;
    }
    for (const auto &[key, value] : object.items()) {
        std::wstring name = win::WideFromUtf8(key);
        if (value.is_object()) {
            if (!FromJson(value, *element.CreateElement(name.c_str()), where + L"/" + name, error, depth + 1))
                return false;
        } else if (value.is_number_integer()) {
            element.SetInt(name.c_str(), IntFromJson(value));
        } else if (value.is_number_float()) {
            element.SetFloat(name.c_str(), FloatFromJson(value.get<double>()));
        } else if (value.is_string()) {
            element.SetString(name.c_str(), win::WideFromUtf8(value.get_ref<const std::string &>()).c_str());
        } else if (value.is_boolean()) {
            element.SetInt(name.c_str(), value.get<bool>() ? 1 : 0);
        } else {
            error = L"unsupported " + win::WideFromUtf8(value.type_name()) + L" value at '" + where + L"/" + name + L"'";
            return false;
        }
    }
    return true;
}

}  // namespace

bool WriteElementJson(const XElement &element, std::string &json, std::wstring &error)
{
    Json object;
    if (!ToJson(element, object, error))
        return false;
    json = object.dump(4, ' ', false, Json::error_handler_t::replace) + "\n";
    return true;
}

bool ReadElementJson(std::string_view json, XElement &element, std::wstring &error)
{
    if (json.size() >= 3 && json.substr(0, 3) == "\xEF\xBB\xBF")
        json.remove_prefix(3);
    Json parsed;
    try {
        parsed = Json::parse(json.begin(), json.end());
    } catch (const Json::exception &failure) {
        error = win::WideFromUtf8(failure.what());
        return false;
    }
    if (!parsed.is_object()) {
        error = L"the top level is a " + win::WideFromUtf8(parsed.type_name()) + L", not an object";
        return false;
    }
    return FromJson(parsed, element, L"", error);
}
