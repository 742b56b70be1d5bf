// The host string. Every change builds the new text in a fresh buffer before the old one is
// released, so text that points into the string itself (s += s) stays valid while copied.
#include "host/HostString.h"
#include "TextConversion.h"

#include <climits>
#include <cwchar>
#include <initializer_list>
#include <string>

namespace {

struct Piece {
    const wchar_t *text;
    size_t length;
};

struct Composed {
    bool ok;
    wchar_t *buffer;   // null for an empty result
    unsigned length;
};

size_t TextLength(CTSTR text) { return text ? std::wcslen(text) : 0; }

// The pieces joined in a new MainAllocator buffer; not ok when out of memory or too long.
Composed Compose(std::initializer_list<Piece> pieces)
{
    size_t total = 0;
    for (const Piece &piece : pieces) {
        if (piece.text)
            total += piece.length;
    }
    if (total == 0)
        return {true, nullptr, 0};
    if (total >= UINT_MAX)
        return {false, nullptr, 0};
    auto *buffer = static_cast<wchar_t *>(Allocate((total + 1) * sizeof(wchar_t)));
    if (!buffer)
        return {false, nullptr, 0};
    size_t at = 0;
    for (const Piece &piece : pieces) {
        if (piece.text && piece.length) {
            std::wmemcpy(buffer + at, piece.text, piece.length);
            at += piece.length;
        }
    }
    buffer[at] = L'\0';
    return {true, buffer, unsigned(total)};
}

}  // namespace

#define ADOPT(composed)                                                                  \
    do {                                                                                 \
        Composed adopted_ = (composed);                                                  \
        if (adopted_.ok) {                                                               \
            Free(lpString);                                                              \
            lpString = adopted_.buffer;                                                  \
            curLength = adopted_.length;                                                 \
        }                                                                                \
    } while (0)

String::String() {}

String::String(CTSTR text)
{
    ADOPT(Compose({{text, TextLength(text)}}));
}

String::String(const char *utf8Text)
{
    if (utf8Text) {
        std::wstring wide = win::WideFromUtf8(utf8Text);
        ADOPT(Compose({{wide.data(), wide.size()}}));
    }
}

String::String(const String &other)
{
    ADOPT(Compose({{other.lpString, other.curLength}}));
}

String::~String() { Free(lpString); }

String &String::operator=(CTSTR text)
{
    Composed composed = Compose({{text, TextLength(text)}});
    // Out of memory leaves an empty string rather than the old text posing as the new.
    Free(lpString);
    lpString = composed.buffer;
    curLength = composed.length;
    return *this;
}

String &String::operator=(const String &other)
{
    if (this != &other) {
        Composed composed = Compose({{other.lpString, other.curLength}});
        Free(lpString);
        lpString = composed.buffer;
        curLength = composed.length;
    }
    return *this;
}

String &String::operator+=(CTSTR text) { return AppendString(text); }

String &String::operator+=(const String &other)
{
    ADOPT(Compose({{lpString, curLength}, {other.lpString, other.curLength}}));
    return *this;
}

bool String::operator==(CTSTR text) const
{
    if (!text)
        return IsEmpty();
    size_t length = std::wcslen(text);
    if (length != curLength)
        return false;
    return length == 0 || std::wmemcmp(lpString, text, length) == 0;
}

bool String::operator==(const String &other) const
{
    if (curLength != other.curLength)
        return false;
    return curLength == 0 || std::wmemcmp(lpString, other.lpString, curLength) == 0;
}

String &String::Clear()
{
    Free(lpString);
    lpString = nullptr;
    curLength = 0;
    return *this;
}

String &String::AppendString(CTSTR text, unsigned length)
{
    if (!text)
        return *this;
    size_t count = length ? wcsnlen(text, length) : std::wcslen(text);
    ADOPT(Compose({{lpString, curLength}, {text, count}}));
    return *this;
}

String &String::InsertString(unsigned position, CTSTR text)
{
    if (position > curLength)
        position = curLength;
    ADOPT(Compose({{lpString, position}, {text, TextLength(text)}, {lpString + position, curLength - position}}));
    return *this;
}

String &String::FindReplace(CTSTR find, CTSTR replacement)
{
    size_t findLength = TextLength(find);
    if (findLength == 0 || curLength < findLength)
        return *this;
    std::wstring_view text(lpString, curLength);
    std::wstring result;
    size_t from = 0;
    bool found = false;
    for (size_t at = text.find(find, 0, findLength); at != std::wstring_view::npos;
         at = text.find(find, from, findLength)) {
        result.append(text.substr(from, at - from));
        if (replacement)
            result.append(replacement);
        from = at + findLength;
        found = true;
    }
    if (found) {
        result.append(text.substr(from));
        ADOPT(Compose({{result.data(), result.size()}}));
    }
    return *this;
}

unsigned String::GetTokenList(StringList &list, wchar_t token, int includeEmpty) const
{
    list.Clear();
    unsigned start = 0;
    for (unsigned i = 0; i <= curLength; ++i) {
        bool atEnd = i == curLength;
        if (!atEnd && lpString[i] != token)
            continue;
        unsigned pieceLength = i - start;
        // The piece after a final token (or of an empty string) is not a piece.
        bool trailing = atEnd && pieceLength == 0;
        if (!trailing && (pieceLength > 0 || includeEmpty)) {
            String piece;
            if (pieceLength)
                piece.AppendString(lpString + start, pieceLength);
            list.Add(piece);
        }
        start = i + 1;
    }
    return list.Num();
}

char *String::CreateUTF8String() const
{
    std::string utf8 = win::Utf8FromWide(std::wstring_view(lpString ? lpString : L"", curLength));
    auto *copy = static_cast<char *>(Allocate(utf8.size() + 1));
    if (copy) {
        utf8.copy(copy, utf8.size());
        copy[utf8.size()] = '\0';
    }
    return copy;
}

String &String::operator<<(int value)
{
    std::wstring digits = std::to_wstring(value);
    return AppendString(digits.c_str());
}

String &String::operator<<(CTSTR text) { return AppendString(text); }
