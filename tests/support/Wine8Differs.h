#pragma once
// Tests state what Windows does. Where Wine 8's GDI+ is known to draw otherwise, the test
// asks Wine8Differs at that one place and expects Wine 8's result there, so the same test
// still checks something under Wine 8 and checks Windows' behaviour under Wine 10.
#include <string>

// Wine's version ("8.0", "10.0"), or empty when not running under Wine.
std::string WineVersion();

// True under Wine 8, where it also prints what differs, so no difference passes unseen.
bool Wine8Differs(const char *what);
