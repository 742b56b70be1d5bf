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

namespace {

std::optional<GiftEvent> EventFromJson(const Json &object, std::string &error)
{
    if (!object.is_object()) {
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

std::string_view WithoutByteOrderMark(std::string_view text)
{
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    return text;
}

} // namespace

std::optional<GiftEvent> ParseGiftEvent(std::string_view utf8Line, std::string &error)
{
    const Json object = Json::parse(WithoutByteOrderMark(utf8Line), nullptr, false);
    if (object.is_discarded()) {
        error = "not a JSON object";
        return std::nullopt;
    }
    return EventFromJson(object, error);
}

GiftBody ParseGiftBody(std::string_view utf8Body, std::size_t maxEvents)
{
    GiftBody body;
    Json root;
    try {
        root = Json::parse(WithoutByteOrderMark(utf8Body));
    } catch (const Json::parse_error &failure) {
        body.offered = 1;
        body.error = "malformed JSON at byte " + std::to_string(failure.byte);
        return body;
    }
    if (!root.is_array()) {
        body.offered = 1;
        if (auto event = EventFromJson(root, body.error))
            body.events.push_back(std::move(*event));
        return body;
    }
    body.offered = root.size();
    if (root.empty()) {
        body.error = "an empty array holds no event";
        return body;
    }
    if (root.size() > maxEvents) {
        body.tooMany = true;
        body.error = "more than " + std::to_string(maxEvents) + " events in one request";
        return body;
    }
    for (std::size_t i = 0; i < root.size(); ++i) {
        std::string error;
        auto event = EventFromJson(root[i], error);
        if (!event) {
            body.events.clear();
            body.error = "event " + std::to_string(i) + ": " + error;
            return body;
        }
        body.events.push_back(std::move(*event));
    }
    return body;
}
