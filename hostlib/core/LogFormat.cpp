#include "LogFormat.h"

#include <cstdio>
#include <cwchar>

std::wstring FormatWide(const wchar_t *format, va_list arguments)
{
    if (!format)
        return {};
    va_list counting;
    va_copy(counting, arguments);
    int length = _vscwprintf(format, counting);
    va_end(counting);
    if (length <= 0)
        return {};
    std::wstring text(size_t(length) + 1, L'\0');
    int written = _vsnwprintf(text.data(), text.size(), format, arguments);
    text.resize(written < 0 ? 0 : size_t(written));
    return text;
}
