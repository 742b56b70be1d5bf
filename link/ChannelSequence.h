#pragma once
#include <cstdint>

// The last sequence number taken from each channel, one pair for the whole process: the
// first source of a scene to read a new block takes it, the others then see it as old.
struct ChannelSequenceNumbers {
    std::int32_t text = -1;
    std::int32_t style = -1;
};

ChannelSequenceNumbers &TakenSequenceNumbers();

// Tests only: back to "nothing taken yet".
void ResetChannelSequenceNumbers();
