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
