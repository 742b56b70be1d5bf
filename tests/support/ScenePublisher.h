#pragma once
// A scene's two blocks, written in this process as the companion writes them: each is opened
// on its first write and held open until this goes, as the companion holds it.
#include "companion/blockwriter/SharedBlockWriter.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

class ScenePublisher {
    std::wstring scene;
    std::optional<SharedBlockWriter> textBlock, styleBlock;

    static void Publish(std::optional<SharedBlockWriter> &block, const std::wstring &name, std::u16string_view text)
    {
        DWORD error = 0;
        if (!block)
            block = SharedBlockWriter::Open(name, error);
        ASSERT_TRUE(block) << error;
        ASSERT_TRUE(block->Write(text));
    }

public:
    explicit ScenePublisher(std::wstring sceneGuid) : scene(std::move(sceneGuid)) {}
    void Text(std::u16string_view text) { Publish(textBlock, TextBlockName(scene), text); }
    void Style(std::u16string_view text) { Publish(styleBlock, StyleBlockName(scene), text); }
};
