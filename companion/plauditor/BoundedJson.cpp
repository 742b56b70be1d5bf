#include "companion/plauditor/BoundedJson.h"

#include "companion/plauditor/Utf.h"

#include <vector>

namespace {

using Json = nlohmann::json;

struct TooDeep {};

constexpr std::size_t kBriefBytes = 60;

} // namespace

std::optional<Json> ParseBoundedJson(std::string_view text, JsonFault &fault)
{
    fault = {};
    std::vector<std::string> keys;  // keys[d]: the last key read in the container at depth d
    bool rootIsArray = false;
    std::size_t items = 0;          // finished elements of a root array
    const auto track = [&](int depth, Json::parse_event_t event, Json &parsed) {
        const auto level = static_cast<std::size_t>(depth);
        switch (event) {
        case Json::parse_event_t::object_start:
        case Json::parse_event_t::array_start:
            if (depth >= kMaxJsonDepth)
                throw TooDeep{};
            if (depth == 0)
                rootIsArray = event == Json::parse_event_t::array_start;
            keys.resize(level);
            break;
        case Json::parse_event_t::key:
            keys.resize(level);
            keys[level - 1] = parsed.get<std::string>();
            break;
        case Json::parse_event_t::object_end:
        case Json::parse_event_t::array_end:
        case Json::parse_event_t::value:
            if (depth == 1 && rootIsArray)
                ++items;
            if (event != Json::parse_event_t::value)
                keys.resize(level);
            break;
        }
        return true;
    };
    try {
        return Json::parse(text, track);
    } catch (const TooDeep &) {
        fault.kind = JsonFault::Kind::TooDeep;
    } catch (const Json::parse_error &failure) {
        fault.kind = JsonFault::Kind::Malformed;
        fault.byte = failure.byte;
    } catch (const Json::out_of_range &) {
        // The only range fault of parsing: a number beyond what a double holds (1e309).
        fault.kind = JsonFault::Kind::NumberTooLarge;
        for (auto key = keys.rbegin(); key != keys.rend() && fault.key.empty(); ++key)
            fault.key = *key;
        if (rootIsArray)
            fault.item = items;
    }
    return std::nullopt;
}

std::string JsonFaultReason(const JsonFault &fault)
{
    switch (fault.kind) {
    case JsonFault::Kind::None:
        break;
    case JsonFault::Kind::Malformed:
        return "malformed JSON at byte " + std::to_string(fault.byte);
    case JsonFault::Kind::TooDeep:
        return "nested deeper than " + std::to_string(kMaxJsonDepth) + " levels";
    case JsonFault::Kind::NumberTooLarge:
        return fault.key.empty() ? std::string("a number too large")
                                 : "\"" + OneLine(fault.key, kBriefBytes) + "\" is a number too large";
    }
    return {};
}

std::string BriefJson(const Json &value)
{
    if (value.is_array())
        return "an array of " + std::to_string(value.size());
    if (value.is_object())
        return "an object of " + std::to_string(value.size()) + (value.size() == 1 ? " key" : " keys");
    const std::string text = value.dump(-1, ' ', false, Json::error_handler_t::replace);
    return text.size() <= kBriefBytes ? text : OneLine(text, kBriefBytes);
}
