#include "companion/plauditor/SceneChannels.h"

#include "companion/plauditor/Sequence.h"
#include "companion/plauditor/TextComposition.h"
#include "companion/plauditor/Utf.h"

std::optional<SceneChannels> SceneChannels::Open(const std::wstring &sceneGuid, std::string &error)
{
    DWORD code = 0;
    auto text = SharedBlockWriter::Open(TextBlockName(sceneGuid), code);
    if (!text) {
        error = "cannot create the text block (error " + std::to_string(code) + ")";
        return std::nullopt;
    }
    auto style = SharedBlockWriter::Open(StyleBlockName(sceneGuid), code);
    if (!style) {
        error = "cannot create the style block (error " + std::to_string(code) + ")";
        return std::nullopt;
    }
    const DWORD tick = GetTickCount();
    const DWORD pid = GetCurrentProcessId();
    return SceneChannels(std::move(*text), std::move(*style), FirstSequence(tick, pid, Channel::Text),
                         FirstSequence(tick, pid, Channel::Style));
}

namespace {

// Writes a block made for sequence, which then moves on. A block that could not be made
// (formatError says why) or written leaves the channel as it was.
SceneChannels::Published WriteBlock(SharedBlockWriter &writer, std::int32_t &sequence,
                                    const std::optional<std::u16string> &block, std::string formatError)
{
    SceneChannels::Published result;
    result.sequence = sequence;
    if (!block) {
        result.detail = std::move(formatError);
        return result;
    }
    if (!writer.Write(*block)) {
        result.detail = "the block does not fit";
        return result;
    }
    sequence = NextSequence(sequence);
    result.ok = true;
    result.detail = Utf16ToUtf8(*block);
    return result;
}

} // namespace

SceneChannels::Published SceneChannels::PublishText(const std::vector<std::u16string> &linesOldestFirst)
{
    std::string error;
    // Every line gone: a block that shows nothing, so the last lines do not stay forever.
    const auto block = linesOldestFirst.empty() ? EmptyTextBlock(nextTextSequence)
                                                : ComposeTextBlock(nextTextSequence, linesOldestFirst, error);
    return WriteBlock(text, nextTextSequence, block, std::move(error));
}

SceneChannels::Published SceneChannels::PublishStyle(const StyleValues &values)
{
    std::string error;
    const auto block = FormatStyleBlock(nextStyleSequence, values.font, values.numbers, error);
    return WriteBlock(style, nextStyleSequence, block, std::move(error));
}
