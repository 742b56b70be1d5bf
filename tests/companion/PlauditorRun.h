#pragma once
// Plauditor.exe run by a test as the plug-in would start it, and the scene's blocks read back
// the way the plug-in reads them.
#include "support/ChildProcess.h"
#include "support/FreshGuid.h"

#include "companion/plauditor/FileAccess.h"
#include "link/blocks/StyleBlock.h"
#include "link/blocks/TextBlock.h"
#include "win/CommandLine.h"
#include "win/Handle.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace {

inline std::wstring PlauditorPath() { return ProgramFolder() + L"plugins\\VantoPlauditor\\Plauditor.exe"; }

// A scene id like the plug-in's, so settings that pin ports to scenes can name it.
inline std::wstring UniqueScene() { return FreshGuidText(); }

inline std::wstring Arguments(DWORD hostPid, const std::wstring &scene, const std::wstring &options)
{
    return L"1 " + std::to_wstring(hostPid) + L" " + scene + L" {5A5A5A5A-0000-0000-0000-000000000001} 11 " + options;
}

// The block's text as the plug-in copies it, without creating the block when it is missing.
inline std::optional<std::u16string> ReadBlock(const std::wstring &name)
{
    const win::UniqueHandle mapping(OpenFileMappingW(FILE_MAP_READ, FALSE, name.c_str()));
    const win::MappedView view(mapping ? MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, kBlockBytes) : nullptr);
    if (!view)
        return std::nullopt;
    const auto *units = static_cast<const char16_t *>(view.get());
    std::u16string text;
    for (std::size_t i = 0; i < kBlockUnits && units[i] != 0; ++i)
        text += units[i];
    return text;
}

inline std::optional<StyleBlock> Style(const std::wstring &scene)
{
    const auto text = ReadBlock(L"TSPlauditor" + scene);
    return text ? DecodeStyleBlock(*text, -1) : std::nullopt;
}

inline std::optional<TextBlock> Text(const std::wstring &scene)
{
    const auto text = ReadBlock(L"TCPlauditor" + scene);
    return text ? DecodeTextBlock(*text, -1) : std::nullopt;
}

inline std::vector<std::u16string> ShownLines(const TextBlock &block)
{
    std::vector<std::u16string> lines;
    if (block.LineCheckPassed())
        for (std::size_t i = 0; i < block.lines.Kept(); ++i)
            lines.emplace_back(block.Line(i));
    return lines;
}

} // namespace
