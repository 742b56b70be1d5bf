// An owning array of Strings in a MainAllocator block.
#include "host/HostString.h"

#include <cstring>
#include <new>
#include <utility>

StringList::StringList() {}

StringList::~StringList()
{
    Clear();
}

void StringList::Add(const String &text)
{
    Insert(count, text);
}

void StringList::Insert(unsigned index, const String &text)
{
    if (index > count)
        index = count;
    // Copy first: text may be an element of this list, which growing would move.
    String copy(text);
    if (copy.Length() != text.Length())
        return;   // out of memory: better no item than an empty one
    if (count == capacity) {
        unsigned newCapacity = capacity ? capacity * 2 : 8;
        auto *grown = static_cast<String *>(Allocate(sizeof(String) * newCapacity));
        if (!grown)
            return;
        // String holds a pointer and a length: moving its bytes keeps it valid.
        if (count)
            std::memcpy(static_cast<void *>(grown), items, sizeof(String) * count);
        Free(items);
        items = grown;
        capacity = newCapacity;
    }
    if (index < count)
        std::memmove(static_cast<void *>(items + index + 1), items + index, sizeof(String) * (count - index));
    new (items + index) String(std::move(copy));
    ++count;
}

void StringList::Clear()
{
    for (unsigned i = 0; i < count; ++i)
        items[i].~String();
    Free(items);
    items = nullptr;
    count = 0;
    capacity = 0;
}
