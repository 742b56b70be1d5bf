#pragma once
// A text source made as the plug-in's entry point makes one for the host: in zeroed memory
// from the host's allocator, which its deleting destructor gives back.
#include "source/TextOutputSource.h"

#include <cstring>
#include <new>

inline TextOutputSource *NewTextSource(XElement *data)
{
    void *storage = Allocate(sizeof(TextOutputSource));
    std::memset(storage, 0, sizeof(TextOutputSource));
    return new (storage) TextOutputSource(data);
}
