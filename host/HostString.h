#pragma once
#include "HostExport.h"
#include "HostMemory.h"

class StringList;

// The host's UTF-16 string with an explicit length. Its buffer comes from MainAllocator.
// Empty means a null buffer or a length of 0; such a string compares equal to a null text.
class HOSTAPI String {
    wchar_t *lpString = nullptr;
    unsigned curLength = 0;

public:
    String();
    String(CTSTR text);
    String(const char *utf8Text);   // narrow text, read as UTF-8
    // No move operations: the host's own library exports none, so a plug-in that used them
    // could not load. Temporaries are copied.
    String(const String &other);
    ~String();

    String &operator=(CTSTR text);
    String &operator=(const String &other);
    String &operator+=(CTSTR text);
    String &operator+=(const String &other);

    // A null text equals an empty string; otherwise the characters are compared.
    bool operator==(CTSTR text) const;
    bool operator!=(CTSTR text) const { return !(*this == text); }
    bool operator==(const String &other) const;
    bool operator!=(const String &other) const { return !(*this == other); }

    unsigned Length() const { return curLength; }
    bool IsEmpty() const { return lpString == nullptr || curLength == 0; }
    TSTR Array() const { return lpString; }
    operator CTSTR() const { return lpString; }

    String &Clear();
    // Appends `length` characters of text, or all of it when length is 0.
    String &AppendString(CTSTR text, unsigned length = 0);
    // Inserts text before character `position` (clamped to the length).
    String &InsertString(unsigned position, CTSTR text);
    // Replaces every occurrence of find, scanning left to right without rescanning.
    String &FindReplace(CTSTR find, CTSTR replacement);
    // Splits at `token` into list (which is cleared first). With includeEmpty nonzero, empty
    // pieces between two tokens are kept; nothing follows a token at the very end.
    // Returns the number of pieces.
    unsigned GetTokenList(StringList &list, wchar_t token, int includeEmpty = 1) const;
    // A new zero-terminated UTF-8 copy from MainAllocator; release it with Free().
    char *CreateUTF8String() const;

    String &operator<<(int value);
    String &operator<<(CTSTR text);
};

// An owning list of strings.
class HOSTAPI StringList {
    String *items = nullptr;
    unsigned count = 0;
    unsigned capacity = 0;

public:
    StringList();
    StringList(const StringList &) = delete;
    StringList &operator=(const StringList &) = delete;
    ~StringList();

    unsigned Num() const { return count; }
    String &GetElement(unsigned index) const { return items[index]; }
    String &operator[](unsigned index) const { return items[index]; }
    void Add(const String &text);
    void Insert(unsigned index, const String &text);
    void Clear();
};
