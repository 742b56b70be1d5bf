#include "hostlib/graphics/LiveObjectCounts.h"

#include <atomic>

namespace {

std::atomic<int> liveCounts[3];

std::atomic<int> &CounterOf(GraphicsObjectKind kind)
{
    return liveCounts[static_cast<int>(kind)];
}

unsigned Read(GraphicsObjectKind kind)
{
    const int value = CounterOf(kind).load();
    return value > 0 ? static_cast<unsigned>(value) : 0;
}

} // namespace

void CountObjectCreated(GraphicsObjectKind kind) { ++CounterOf(kind); }
void CountObjectDeleted(GraphicsObjectKind kind) { --CounterOf(kind); }

HostGraphicsObjectCounts CurrentObjectCounts()
{
    return {Read(GraphicsObjectKind::Texture), Read(GraphicsObjectKind::Sampler), Read(GraphicsObjectKind::Shader)};
}
