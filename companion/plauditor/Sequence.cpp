#include "companion/plauditor/Sequence.h"

namespace {

constexpr std::int32_t kReaderStart = -1;

// Spreads nearby inputs (consecutive ticks, consecutive ids) over the whole range.
std::uint32_t Mix(std::uint32_t value)
{
    value ^= value >> 16;
    value *= 0x85EBCA6Bu;
    value ^= value >> 13;
    value *= 0xC2B2AE35u;
    value ^= value >> 16;
    return value;
}

} // namespace

std::int32_t FirstSequence(std::uint32_t tickCount, std::uint32_t processId, Channel channel)
{
    const std::uint32_t mixed =
        Mix(tickCount ^ Mix(processId + 0x9E3779B9u * static_cast<std::uint32_t>(channel)));
    // Positive numbers read better in the log; ~2^31 start values are plenty.
    return static_cast<std::int32_t>(mixed & 0x7FFFFFFFu);
}

std::int32_t NextSequence(std::int32_t sequence)
{
    std::int32_t next = static_cast<std::int32_t>(static_cast<std::uint32_t>(sequence) + 1u);
    if (next == kReaderStart)
        next = static_cast<std::int32_t>(static_cast<std::uint32_t>(next) + 1u);
    return next;
}
