#pragma once
// Text files' bytes for the host's own storage.
#include "win/Text.h"

#include <string>
#include <string_view>

// The text of a file's bytes: UTF-16LE when it starts with its byte-order mark,
// otherwise UTF-8 (a UTF-8 mark is dropped).
std::wstring DecodeTextFileBytes(std::string_view bytes);
