#pragma once
// Producer side of the two blocks: formatting that the reader in the plug-in is sure to take.
// Portable (no Windows header), like the reader's parsing it is checked against.
#include "link/blocks/StyleBlock.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The most text a block carries: its 1024 units less the terminator.
inline constexpr std::size_t kMaxBlockTextUnits = kBlockUnits - 1;

using StyleNumbers = std::array<std::int32_t, kStyleNumberCount>;

// "seq|mode|count|line\r\nline...". The count is the number of lines the reader will find,
// so lines holding line breaks or separators that the reader folds still pass its check.
// Fails (with a one-line reason in error) when the text would show nothing, needs more
// fields than the reader keeps, does not fit the block, or seq is the reader's start value -1.
std::optional<std::u16string> FormatTextBlock(std::int32_t sequence, std::int32_t mode,
                                              const std::vector<std::u16string> &lines,
                                              std::string &error);

// "seq|font|n2|...|n22". Fails when the font is empty or holds "|", or the text does not fit.
std::optional<std::u16string> FormatStyleBlock(std::int32_t sequence, std::u16string_view font,
                                               const StyleNumbers &numbers, std::string &error);

// Raw text for a block: fails when it does not fit with its terminator or holds a NUL.
bool FitsInBlock(std::u16string_view text, std::string &error);

std::u16string DecimalText(std::int32_t value);
