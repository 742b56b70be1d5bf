#pragma once
// The text block built from the recent thank-you lines, always one the reader will show.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

inline constexpr std::int32_t kTextModeChannel = 0;

// "seq|0|count|line\r\nline..." from the lines, oldest first. Lines are sanitised again and
// empty ones left out; when the whole text would pass the block's 1023 units the oldest lines
// are dropped, and a newest line too long on its own is cut (ending in "…"). Nothing, with a
// reason, when no line is left or seq is -1.
std::optional<std::u16string> ComposeTextBlock(std::int32_t sequence,
                                               const std::vector<std::u16string> &linesOldestFirst,
                                               std::string &error);

// "seq|0|0|\r\n": a block the reader takes (four fields, a new sequence) but whose payload
// holds no line, so its line check fails and the source shows an empty text. seq is not -1.
std::u16string EmptyTextBlock(std::int32_t sequence);

// text cut to at most units code units, never between the halves of a surrogate pair, with
// "…" as its last unit when anything was cut.
std::u16string CutToUnits(std::u16string_view text, std::size_t units);
