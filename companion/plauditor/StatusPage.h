#pragma once
// GET /: one self-contained page (no file, no CDN) that shows the lines on screen in the
// scene's font and colours, refreshes itself from /state, and sends test gifts to /events.
#include <string_view>

std::string_view StatusPageHtml();
