#include "TextConversion.h"

std::wstring DecodeTextFileBytes(std::string_view bytes)
{
    if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
        bytes.remove_prefix(2);
        std::wstring wide(bytes.size() / 2, L'\0');   // a trailing odd byte is dropped
        for (size_t i = 0; i < wide.size(); ++i)
            wide[i] = wchar_t((unsigned char)bytes[2 * i] | ((unsigned char)bytes[2 * i + 1] << 8));
        return wide;
    }
    if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    return win::WideFromUtf8(bytes);
}
