#include "companion/plauditor/LineAssembler.h"

LineAssembler::Result LineAssembler::Feed(std::string_view bytes)
{
    Result result;
    while (!bytes.empty()) {
        const std::size_t newline = bytes.find('\n');
        const std::string_view piece = bytes.substr(0, newline);
        if (!droppingOverlong) {
            pending.append(piece);
            if (pending.size() > limit) {
                pending.clear();
                droppingOverlong = true;
                ++result.overlongDropped;
            }
        }
        if (newline == std::string_view::npos)
            break;
        if (!droppingOverlong) {
            if (!pending.empty() && pending.back() == '\r')
                pending.pop_back();
            result.lines.push_back(std::move(pending));
        }
        pending.clear();
        droppingOverlong = false;
        bytes.remove_prefix(newline + 1);
    }
    return result;
}

void LineAssembler::Reset()
{
    pending.clear();
    droppingOverlong = false;
}
