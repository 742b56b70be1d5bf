#pragma once
#include "HostExport.h"
#include <cstddef>

// The host's allocator. Every block a plug-in keeps beyond one call comes from here,
// so the host can account for it. Allocations may return null.
class HOSTAPI Alloc {
public:
    virtual ~Alloc();
    virtual void *_Allocate(size_t size) = 0;
    virtual void *_ReAllocate(void *block, size_t size) = 0;
    virtual void _Free(void *block) = 0;
};

extern HOSTAPI Alloc *MainAllocator;

inline void *Allocate(size_t size) { return MainAllocator->_Allocate(size); }
inline void *ReAllocate(void *block, size_t size) { return MainAllocator->_ReAllocate(block, size); }
inline void Free(void *block) { MainAllocator->_Free(block); }
