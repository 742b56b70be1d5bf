#include "companion/plauditor/GiftEvent.h"

#include "companion/plauditor/Utf.h"

#include <nlohmann/json.hpp>

#include <cmath>

namespace {

using Json = nlohmann::json;

// A name as text: strings as they are, whole numbers in decimal (user ids), anything else
// (null, missing) empty.
std::optional<std::u16string> NameText(const Json &object, const char *key, std::string &error)
{
    const auto found = object.find(key);
    if (found == object.end() || found->is_null())
        return std::u16string();
    if (found->is_string())
        return Utf8ToUtf16(found->get_ref<const std::string &>());
    if (found->is_number_integer())
        return Ascii16(found->dump());
    error = std::string("\"") + key + "\" is neither text nor a whole number";
    return std::nullopt;
}

std::optional<std::uint64_t> CountValue(const Json &object, std::string &error)
{
    const auto found = object.find("count");
    if (found == object.end())
        return 1;
    if (found->is_number_unsigned() && found->get<std::uint64_t>() > 0)
        return found->get<std::uint64_t>();
    if (found->is_number_integer() && found->get<std::int64_t>() > 0)
        return static_cast<std::uint64_t>(found->get<std::int64_t>());
    if (found->is_number_float()) {
        const double value = found->get<double>();
        if (value >= 1 && value < 1e15 && std::floor(value) == value)
            return static_cast<std::uint64_t>(value);
    }
    if (found->is_string()) {
        const std::string &text = found->get_ref<const std::string &>();
        std::uint64_t value = 0;
        bool digits = !text.empty() && text.size() <= 15;
        for (const char c : text) {
            if (c < '0' || c > '9')
                digits = false;
            else
                value = value * 10 + static_cast<std::uint64_t>(c - '0');
        }
        if (digits && value > 0)
            return value;
    }
    error = "\"count\" is not a positive whole number: " + found->dump();
    return std::nullopt;
}

} // namespace

bool IsBlankLine(std::string_view utf8Line)
{
    return utf8Line.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

std::optional<GiftEvent> ParseGiftEvent(std::string_view utf8Line, std::string &error)
{
    if (utf8Line.substr(0, 3) == "\xEF\xBB\xBF")
        utf8Line.remove_prefix(3);
    const Json object = Json::parse(utf8Line, nullptr, false);
    if (object.is_discarded() || !object.is_object()) {
        error = "not a JSON object";
        return std::nullopt;
    }
    GiftEvent event;
    auto user = NameText(object, "user", error);
    auto gift = user ? NameText(object, "gift", error) : std::nullopt;
    auto count = gift ? CountValue(object, error) : std::nullopt;
    if (!count)
        return std::nullopt;
    event.user = std::move(*user);
    event.gift = std::move(*gift);
    event.count = *count;
    return event;
}
