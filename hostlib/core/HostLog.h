#pragma once
// Writes one line at a HostLogLevel without formatting (for the host's own messages).
#include <string>

void EmitHostLogLine(int level, const std::wstring &text);
