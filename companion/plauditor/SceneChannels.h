#pragma once
// The scene's two blocks, held open for the companion's whole life (a block lives only while
// some process has a handle to it), with a sequence counter for each.
#include "companion/blockwriter/SharedBlockWriter.h"
#include "companion/plauditor/Settings.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class SceneChannels {
    SharedBlockWriter text;
    SharedBlockWriter style;
    std::int32_t nextTextSequence;
    std::int32_t nextStyleSequence;

    SceneChannels(SharedBlockWriter t, SharedBlockWriter s, std::int32_t firstText, std::int32_t firstStyle)
        : text(std::move(t)), style(std::move(s)), nextTextSequence(firstText), nextStyleSequence(firstStyle) {}

public:
    // Creates or opens both blocks. Nothing, with a reason, when either fails.
    static std::optional<SceneChannels> Open(const std::wstring &sceneGuid, std::string &error);

    struct Published {
        bool ok = false;
        std::int32_t sequence = 0;
        std::string detail;  // what was published, or why not
    };
    Published PublishText(const std::vector<std::u16string> &linesOldestFirst);
    Published PublishStyle(const StyleValues &values);
};
