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

SceneChannels::Published SceneChannels::PublishText(const std::vector<std::u16string> &linesOldestFirst)
{
    Published result;
    result.sequence = nextTextSequence;
    const auto block = ComposeTextBlock(nextTextSequence, linesOldestFirst, result.detail);
    if (!block)
        return result;
    if (!text.Write(*block)) {
        result.detail = "the text block does not fit";
        return result;
    }
    nextTextSequence = NextSequence(nextTextSequence);
    result.ok = true;
    result.detail = Utf16ToUtf8(*block);
    return result;
}

SceneChannels::Published SceneChannels::PublishStyle(const StyleValues &values)
{
    Published result;
    result.sequence = nextStyleSequence;
    const auto block = FormatStyleBlock(nextStyleSequence, values.font, values.numbers, result.detail);
    if (!block)
        return result;
    if (!style.Write(*block)) {
        result.detail = "the style block does not fit";
        return result;
    }
    nextStyleSequence = NextSequence(nextStyleSequence);
    result.ok = true;
    result.detail = Utf16ToUtf8(*block);
    return result;
}
