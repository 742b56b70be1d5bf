#pragma once
// The companion's HTTP side on 127.0.0.1: POST /events, GET /state, GET / (the page), GET /fonts,
// POST /style and POST /rules.
// Requests run on the server's own threads and touch only the inbox, the counters and the
// shared view, so publishing never waits for a client.
#include "companion/plauditor/CompanionState.h"
#include "companion/plauditor/HttpRules.h"
#include "companion/plauditor/PageEdits.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CompanionHttp {
public:
    struct Shared {
        EventInbox &inbox;
        EventCounters &counters;
        SharedView &view;
        EditInbox &edits;
    };

    // Serves on the first of ports that can be bound on 127.0.0.1. Nothing, with the reason
    // in error, when none can.
    static std::unique_ptr<CompanionHttp> Start(const std::vector<std::uint16_t> &ports, Shared shared,
                                                const HttpLimits &limits, std::string &error);
    virtual ~CompanionHttp() = default;
    virtual std::uint16_t Port() const = 0;
    // Takes no new connection; those taken are served until this object goes, which waits
    // for their answers.
    virtual void StopTakingConnections() = 0;
};
