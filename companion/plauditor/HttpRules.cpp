#include "companion/plauditor/HttpRules.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>

namespace {

std::string Lower(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

} // namespace

bool IsOwnHost(std::string_view host, std::uint16_t port)
{
    const std::string lower = Lower(host);
    const std::string suffix = ":" + std::to_string(port);
    for (const char *name : {"127.0.0.1", "localhost"})
        if (lower == name + suffix || (port == 80 && lower == name))
            return true;
    return false;
}

bool IsOwnOrigin(std::string_view origin, std::uint16_t port)
{
    const std::string lower = Lower(origin);
    return lower.empty() || (lower.rfind("http://", 0) == 0 && IsOwnHost(std::string_view(lower).substr(7), port));
}

std::string ErrorJson(std::string_view reason)
{
    return nlohmann::json{{"error", reason}}.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

RequestHead ClassifyRequestHead(std::string_view arrived, const HttpLimits &limits)
{
    const std::size_t end = arrived.find("\r\n\r\n");
    const std::string_view head = arrived.substr(0, end == std::string_view::npos ? arrived.size() : end + 2);
    // Lines after the request line are headers.
    if (static_cast<std::size_t>(std::count(head.begin(), head.end(), '\n')) > limits.maxHeaders + 1)
        return RequestHead::TooManyHeaders;
    if (end == std::string_view::npos)
        return arrived.size() >= limits.maxHeadBytes ? RequestHead::TooLarge : RequestHead::Partial;
    return end + 4 > limits.maxHeadBytes ? RequestHead::TooLarge : RequestHead::Complete;
}
