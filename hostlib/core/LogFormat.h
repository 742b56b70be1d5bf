#pragma once
// printf-style formatting with the C runtime's wide rules (%s takes a wide string).
#include <cstdarg>
#include <string>

std::wstring FormatWide(const wchar_t *format, va_list arguments);
