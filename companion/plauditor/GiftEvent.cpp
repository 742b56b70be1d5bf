#include "companion/plauditor/GiftEvent.h"

#include "companion/plauditor/BoundedJson.h"
#include "companion/plauditor/Utf.h"

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
    error = "\"count\" is not a positive whole number: " + BriefJson(*found);
    return std::nullopt;
}

// Length of the valid UTF-8 sequence at text[i], or 0 when it is not one (truncated,
// overlong, a surrogate, beyond U+10FFFF).
std::size_t Utf8SequenceAt(std::string_view text, std::size_t i)
{
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80)
        return 1;
    std::size_t length = 0;
    char32_t code = 0, minimum = 0;
    if ((lead & 0xE0) == 0xC0)
        length = 2, code = lead & 0x1F, minimum = 0x80;
    else if ((lead & 0xF0) == 0xE0)
        length = 3, code = lead & 0x0F, minimum = 0x800;
    else if ((lead & 0xF8) == 0xF0)
        length = 4, code = lead & 0x07, minimum = 0x10000;
    else
        return 0;
    if (text.size() - i < length)
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const unsigned char next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (next & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The code unit of a "\uXXXX" escape at text[i], or -1.
long EscapedUnitAt(std::string_view text, std::size_t i)
{
    if (text.size() - i < 6 || text[i] != '\\' || text[i + 1] != 'u')
        return -1;
    long unit = 0;
    for (std::size_t k = 2; k < 6; ++k) {
        const int digit = HexValue(text[i + k]);
        if (digit < 0)
            return -1;
        unit = unit * 16 + digit;
    }
    return unit;
}

// Why a line that JSON refuses, or might cut short, is refused, when it is one of the
// faults a sender can fix: bytes that are not UTF-8, a NUL (JSON ends there and would drop
// the rest), or a \u escape of half a surrogate pair. Empty for anything else.
std::string RefusalReason(std::string_view line)
{
    for (std::size_t i = 0; i < line.size();) {
        if (line[i] == '\0')
            return "a NUL byte at byte " + std::to_string(i);
        const std::size_t length = Utf8SequenceAt(line, i);
        if (length == 0)
            return "invalid UTF-8 at byte " + std::to_string(i);
        i += length;
    }
    bool inString = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"') {
            inString = !inString;
            continue;
        }
        if (!inString || line[i] != '\\')
            continue;
        const long unit = EscapedUnitAt(line, i);
        const bool high = unit >= 0xD800 && unit <= 0xDBFF, low = unit >= 0xDC00 && unit <= 0xDFFF;
        if (high) {
            const long next = EscapedUnitAt(line, i + 6);
            if (next >= 0xDC00 && next <= 0xDFFF) {
                i += 11;
                continue;
            }
        }
        if (high || low)
            return "an unpaired surrogate " + std::string(line.substr(i, 6)) + " at byte " + std::to_string(i);
        ++i;  // the escaped character, which may be a quote
    }
    return {};
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
    utf8Line = WithoutByteOrderMark(utf8Line);
    if (std::string reason = RefusalReason(utf8Line); !reason.empty()) {
        error = std::move(reason);
        return std::nullopt;
    }
    JsonFault fault;
    const auto object = ParseBoundedJson(utf8Line, fault);
    if (!object) {
        // Malformed text keeps its short reason; the other faults need naming to be fixed.
        error = fault.kind == JsonFault::Kind::Malformed ? "not a JSON object" : JsonFaultReason(fault);
        return std::nullopt;
    }
    return EventFromJson(*object, error);
}

GiftBody ParseGiftBody(std::string_view utf8Body, std::size_t maxEvents)
{
    GiftBody body;
    utf8Body = WithoutByteOrderMark(utf8Body);
    if (std::string reason = RefusalReason(utf8Body); !reason.empty()) {
        body.offered = 1;
        body.error = std::move(reason);
        return body;
    }
    JsonFault fault;
    const auto parsed = ParseBoundedJson(utf8Body, fault);
    if (!parsed) {
        body.offered = 1;
        body.error = (fault.item ? "event " + std::to_string(*fault.item) + ": " : std::string()) +
                     JsonFaultReason(fault);
        return body;
    }
    const Json &root = *parsed;
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
