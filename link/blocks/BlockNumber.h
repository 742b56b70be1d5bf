#pragma once
#include <cstdint>
#include <string_view>

// A decimal number as the C runtime's _wtol/_wtoi read it: optional leading white space
// (space, tab, LF, VT, FF, CR), an optional sign, decimal digits; reading stops at the first
// other unit. No digits gives 0; values beyond the 32-bit signed range saturate.
std::int32_t ParseBlockNumber(std::u16string_view text);
