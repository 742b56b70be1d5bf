#pragma once
#include <string>

class TextOutputSource;

// The settings a source works with, as one JSON object (UTF-8), for diagnostics: what the
// host's summary shows next to the stored configuration. Colours are "0xAARRGGBB" text.
std::string EffectiveSettingsJson(const TextOutputSource &source);
