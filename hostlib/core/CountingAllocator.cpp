// MainAllocator: malloc/free with accounting, so tests can prove that plug-in code returns
// every block, and a hook that makes allocations fail to exercise out-of-memory paths.
#include "hostlib/HostControl.h"

#include <atomic>
#include <cstdlib>
#include <cstring>

Alloc::~Alloc() {}

namespace {

// Each block carries its size in a header, kept 16 bytes long for alignment.
struct alignas(16) BlockHeader {
    size_t size;
};

class CountingAllocator final : public Alloc {
public:
    std::atomic<size_t> liveBlocks{0};
    std::atomic<size_t> liveBytes{0};
    std::atomic<size_t> totalAllocations{0};
    std::atomic<unsigned> failuresPending{0};

    constexpr CountingAllocator() {}

    void *_Allocate(size_t size) override
    {
        if (ShouldFail() || size > SIZE_MAX - sizeof(BlockHeader))
            return nullptr;
        auto *header = static_cast<BlockHeader *>(std::malloc(sizeof(BlockHeader) + size));
        if (!header)
            return nullptr;
        header->size = size;
        liveBlocks++;
        liveBytes += size;
        totalAllocations++;
        return header + 1;
    }

    void *_ReAllocate(void *block, size_t size) override
    {
        if (!block)
            return _Allocate(size);
        if (size == 0) {
            _Free(block);
            return nullptr;
        }
        BlockHeader *header = HeaderOf(block);
        size_t oldSize = header->size;
        if (ShouldFail() || size > SIZE_MAX - sizeof(BlockHeader))
            return nullptr;
        auto *moved = static_cast<BlockHeader *>(std::realloc(header, sizeof(BlockHeader) + size));
        if (!moved)
            return nullptr;   // the old block stays valid, as with realloc
        moved->size = size;
        liveBytes -= oldSize;
        liveBytes += size;
        totalAllocations++;
        return moved + 1;
    }

    void _Free(void *block) override
    {
        if (!block)
            return;
        BlockHeader *header = HeaderOf(block);
        liveBlocks--;
        liveBytes -= header->size;
        std::free(header);
    }

private:
    static BlockHeader *HeaderOf(void *block) { return static_cast<BlockHeader *>(block) - 1; }

    bool ShouldFail()
    {
        unsigned pending = failuresPending.load();
        while (pending > 0) {
            if (failuresPending.compare_exchange_weak(pending, pending - 1))
                return true;
        }
        return false;
    }
};

// Never destroyed: blocks may still be freed while other modules unload.
union AllocatorHolder {
    CountingAllocator allocator;
    constexpr AllocatorHolder() : allocator() {}
    ~AllocatorHolder() {}
};
constinit AllocatorHolder holder;

}  // namespace

HOSTAPI Alloc *MainAllocator = &holder.allocator;

HOSTAPI size_t HostLiveBlocks() { return holder.allocator.liveBlocks; }
HOSTAPI size_t HostLiveBytes() { return holder.allocator.liveBytes; }
HOSTAPI size_t HostTotalAllocations() { return holder.allocator.totalAllocations; }
HOSTAPI void HostFailNextAllocations(unsigned count) { holder.allocator.failuresPending = count; }
