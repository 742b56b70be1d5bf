#pragma once
// Sequence numbers of one channel. The plug-in remembers one last-taken number per channel
// for its whole process, across scenes, so each companion starts its counters somewhere
// different: two companions both counting from 1 would make each other's blocks look old.
#include <cstdint>

enum class Channel : std::uint32_t { Text = 1, Style = 2 };

// A start value mixed from the tick count, the process id and the channel; never -1, which
// a fresh reader holds as "nothing taken".
std::int32_t FirstSequence(std::uint32_t tickCount, std::uint32_t processId, Channel channel);

// The next number: one more, wrapping past the largest value, and skipping -1.
std::int32_t NextSequence(std::int32_t sequence);
