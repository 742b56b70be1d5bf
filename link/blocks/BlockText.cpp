#include "link/blocks/BlockText.h"

namespace {

// Little-endian whatever the machine, and no alignment asked of the image.
char16_t UnitAt(const unsigned char *block, std::size_t index)
{
    return static_cast<char16_t>(block[2 * index] | (block[2 * index + 1] << 8));
}

} // namespace

std::size_t CopyBlockText(const unsigned char *block, char16_t *destination)
{
    std::size_t length = 0;
    while (length < kBlockUnits) {
        const char16_t unit = UnitAt(block, length);
        if (unit == 0)
            break;
        destination[length++] = unit;
    }
    return length;
}

bool BlockHoldsText(const unsigned char *block, std::u16string_view copy)
{
    if (copy.size() > kBlockUnits)
        return false;
    for (std::size_t i = 0; i < copy.size(); ++i)
        if (UnitAt(block, i) != copy[i])
            return false;
    return copy.size() == kBlockUnits || UnitAt(block, copy.size()) == 0;
}

namespace {

// Calls piece(offset, length) for each maximal run of units that are not separators.
template <typename IsSeparator, typename Piece>
void ForEachPiece(std::u16string_view text, IsSeparator isSeparator, Piece piece)
{
    std::size_t position = 0;
    while (position < text.size()) {
        while (position < text.size() && isSeparator(text[position]))
            ++position;
        const std::size_t start = position;
        while (position < text.size() && !isSeparator(text[position]))
            ++position;
        if (position > start)
            piece(start, position - start);
    }
}

} // namespace

BlockFields SplitBlockFields(std::u16string_view text)
{
    BlockFields fields;
    ForEachPiece(text, [](char16_t unit) { return unit == u'|'; },
                 [&](std::size_t offset, std::size_t length) {
                     if (fields.count < kMaxBlockFields)
                         fields.field[fields.count] = text.substr(offset, length);
                     ++fields.count;
                 });
    return fields;
}

std::u16string_view FirstBlockField(std::u16string_view text)
{
    const std::size_t start = text.find_first_not_of(u'|');
    if (start == std::u16string_view::npos)
        return {};
    return text.substr(start, text.find(u'|', start) - start);
}

std::u16string JoinBlockFields(const BlockFields &fields, std::size_t first)
{
    const std::size_t kept = fields.count < kMaxBlockFields ? fields.count : kMaxBlockFields;
    std::u16string joined;
    for (std::size_t index = first; index < kept; ++index) {
        if (index > first)
            joined += u'|';
        joined += fields.field[index];
    }
    return joined;
}

BlockLines SplitBlockLines(std::u16string_view text)
{
    BlockLines lines;
    ForEachPiece(text, [](char16_t unit) { return unit == u'\r' || unit == u'\n'; },
                 [&](std::size_t offset, std::size_t length) {
                     if (lines.count < kMaxShownLines)
                         lines.line[lines.count] = LineSpan{offset, length};
                     ++lines.count;
                 });
    return lines;
}
