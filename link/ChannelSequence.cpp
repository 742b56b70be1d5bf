#include "link/ChannelSequence.h"

ChannelSequenceNumbers &TakenSequenceNumbers()
{
    static ChannelSequenceNumbers taken;
    return taken;
}

void ResetChannelSequenceNumbers()
{
    TakenSequenceNumbers() = ChannelSequenceNumbers{};
}
