#pragma once
// For the programs that read what our programs write as JSON (they need nlohmann-json).
#include "support/TempFolder.h"

#include <nlohmann/json.hpp>

// The file's JSON value; a discarded value when the file is missing or not JSON.
inline nlohmann::json ReadJsonFile(const std::wstring &path)
{
    return nlohmann::json::parse(ReadFileBytes(path), nullptr, false);
}
