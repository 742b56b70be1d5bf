#include "companion/blockwriter/BlockFormat.h"

#include "link/blocks/BlockText.h"

namespace {

constexpr std::int32_t kReaderStartSequence = -1;
constexpr std::size_t kTextHeaderFields = 3;

bool CheckSequence(std::int32_t sequence, std::string &error)
{
    if (sequence != kReaderStartSequence)
        return true;
    // A reader that has taken nothing yet holds -1, so such a block may never be taken.
    error = "sequence number -1 is never taken by a fresh reader";
    return false;
}

} // namespace

std::u16string DecimalText(std::int32_t value)
{
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

bool FitsInBlock(std::u16string_view text, std::string &error)
{
    if (text.size() > kMaxBlockTextUnits) {
        error = "block text of " + std::to_string(text.size()) + " units exceeds " +
                std::to_string(kMaxBlockTextUnits);
        return false;
    }
    // The reader stops at the first NUL, so the block would be taken cut short or not at all.
    if (const std::size_t nul = text.find(u'\0'); nul != std::u16string_view::npos) {
        error = "block text holds a NUL at unit " + std::to_string(nul);
        return false;
    }
    return true;
}

std::optional<std::u16string> FormatTextBlock(std::int32_t sequence, std::int32_t mode,
                                              const std::vector<std::u16string> &lines,
                                              std::string &error)
{
    if (!CheckSequence(sequence, error))
        return std::nullopt;

    std::u16string payload;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            payload += u"\r\n";
        payload += lines[i];
    }
    // The header is three numbers without separators, so the payload's fields and lines are
    // exactly what the reader will rebuild from the whole block.
    const BlockFields payloadFields = SplitBlockFields(payload);
    if (payloadFields.count + kTextHeaderFields > kMaxBlockFields) {
        error = "text holds too many '|' pieces for one block";
        return std::nullopt;
    }
    const std::size_t lineCount = SplitBlockLines(JoinBlockFields(payloadFields, 0)).count;
    if (lineCount == 0) {
        error = "text has no non-empty line";
        return std::nullopt;
    }

    std::u16string text = DecimalText(sequence) + u"|" + DecimalText(mode) + u"|" +
                          DecimalText(static_cast<std::int32_t>(lineCount)) + u"|" + payload;
    if (!FitsInBlock(text, error))
        return std::nullopt;
    return text;
}

std::optional<std::u16string> FormatStyleBlock(std::int32_t sequence, std::u16string_view font,
                                               const StyleNumbers &numbers, std::string &error)
{
    if (!CheckSequence(sequence, error))
        return std::nullopt;
    if (font.empty() || font.find(u'|') != std::u16string_view::npos) {
        error = "font name must be non-empty and hold no '|'";
        return std::nullopt;
    }
    std::u16string text = DecimalText(sequence) + u"|" + std::u16string(font);
    for (const std::int32_t number : numbers)
        text += u"|" + DecimalText(number);
    if (!FitsInBlock(text, error))
        return std::nullopt;
    return text;
}
