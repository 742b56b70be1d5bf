#pragma once
// GET /: one self-contained page (no file, no CDN) that shows the lines on screen in the
// scene's font and colours, refreshes itself from /state, sends test gifts to /events, and
// edits the style (with a preview) and the gift rules through POST /style and POST /rules.
#include "companion/plauditor/PageText.h"

#include <string>

std::string StatusPageHtml(PageLanguage language);
