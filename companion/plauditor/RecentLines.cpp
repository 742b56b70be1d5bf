#include "companion/plauditor/RecentLines.h"

void RecentLines::Add(std::u16string line)
{
    lines.push_back(std::move(line));
    while (lines.size() > capacity)
        lines.pop_front();
}

bool RecentLines::SetCapacity(std::size_t keep)
{
    capacity = keep > 0 ? keep : 1;
    bool dropped = false;
    while (lines.size() > capacity) {
        lines.pop_front();
        dropped = true;
    }
    return dropped;
}
