#pragma once
// GET /fonts: the font families installed on this machine, for the style editor's list.
#include <string>
#include <vector>

// Sorted, without duplicates or the "@" vertical variants; read once, then kept.
const std::vector<std::u16string> &InstalledFontFamilies();
