#pragma once
// JSON from outside (events, posted bodies, Plauditor.json) read without ever recursing on its
// depth: nesting past a small bound is refused while parsing, so no deep value is ever built,
// copied, compared or dumped.
#include <nlohmann/json.hpp>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// No event or setting needs more than a few levels; this leaves room without letting a
// hostile document near the stack.
inline constexpr int kMaxJsonDepth = 64;

struct JsonFault {
    enum class Kind { None, Malformed, TooDeep, NumberTooLarge };
    Kind kind = Kind::None;
    std::size_t byte = 0;               // where malformed JSON stops making sense
    std::string key;                    // innermost key around a number too large; may be empty
    std::optional<std::size_t> item;    // its index when the document is an array
};

// The document, or nothing with the fault.
std::optional<nlohmann::json> ParseBoundedJson(std::string_view text, JsonFault &fault);

// "malformed JSON at byte 23", "nested deeper than 64 levels", "\"count\" is a number too large" (the
// innermost key around it).
std::string JsonFaultReason(const JsonFault &fault);

// A value short enough for a message: scalars as JSON (long text cut), containers by kind.
std::string BriefJson(const nlohmann::json &value);
