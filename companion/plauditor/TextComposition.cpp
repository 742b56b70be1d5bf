#include "companion/plauditor/TextComposition.h"

#include "companion/blockwriter/BlockFormat.h"
#include "companion/plauditor/ThankYouLine.h"

namespace {

constexpr std::u16string_view kLineBreak = u"\r\n";

// Units of "seq|mode|count|" before the payload.
std::size_t HeaderUnits(std::int32_t sequence, std::size_t lineCount)
{
    return DecimalText(sequence).size() + 1 + DecimalText(kTextModeChannel).size() + 1 +
           DecimalText(static_cast<std::int32_t>(lineCount)).size() + 1;
}

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }

} // namespace

std::u16string EmptyTextBlock(std::int32_t sequence)
{
    return DecimalText(sequence) + u"|" + DecimalText(kTextModeChannel) + u"|0|" + std::u16string(kLineBreak);
}

std::u16string CutToUnits(std::u16string_view text, std::size_t units)
{
    if (text.size() <= units)
        return std::u16string(text);
    if (units == 0)
        return {};
    std::size_t keep = units - 1;
    if (keep > 0 && IsHighSurrogate(text[keep - 1]))
        --keep;
    return std::u16string(text.substr(0, keep)) + u"…";
}

std::optional<std::u16string> ComposeTextBlock(std::int32_t sequence,
                                               const std::vector<std::u16string> &linesOldestFirst,
                                               std::string &error)
{
    std::vector<std::u16string> lines;
    for (const std::u16string &line : linesOldestFirst) {
        std::u16string safe = SanitiseLineText(line);
        if (!safe.empty())
            lines.push_back(std::move(safe));
    }
    if (lines.empty()) {
        error = "no line to publish";
        return std::nullopt;
    }

    // Newest lines first, as many as fit with their header and line breaks.
    std::size_t kept = 0;
    std::size_t payloadUnits = 0;
    while (kept < lines.size()) {
        const std::size_t lineUnits = lines[lines.size() - 1 - kept].size();
        const std::size_t withLine = payloadUnits + (kept > 0 ? kLineBreak.size() : 0) + lineUnits;
        if (HeaderUnits(sequence, kept + 1) + withLine > kMaxBlockTextUnits)
            break;
        payloadUnits = withLine;
        ++kept;
    }

    std::vector<std::u16string> shown;
    if (kept == 0) {
        shown.push_back(CutToUnits(lines.back(), kMaxBlockTextUnits - HeaderUnits(sequence, 1)));
    } else {
        shown.assign(lines.end() - static_cast<std::ptrdiff_t>(kept), lines.end());
    }
    return FormatTextBlock(sequence, kTextModeChannel, shown, error);
}
