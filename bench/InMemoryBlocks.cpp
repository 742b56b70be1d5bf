#include "bench/InMemoryBlocks.h"

#include "link/blocks/BlockText.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <memory>

namespace {

struct Block {
    std::wstring name;
    unsigned char bytes[kBlockBytes] = {};
};

// One table for the process, as the kernel's names are; a handle is the block's address.
std::vector<std::unique_ptr<Block>> &Table()
{
    static std::vector<std::unique_ptr<Block>> blocks;
    return blocks;
}

HANDLE WINAPI OpenBlock(HANDLE, LPSECURITY_ATTRIBUTES, DWORD, DWORD, DWORD, LPCWSTR name)
{
    for (const auto &block : Table())
        if (std::wcscmp(block->name.c_str(), name) == 0)
            return block.get();
    return nullptr;
}

LPVOID WINAPI MapBlock(HANDLE mapping, DWORD, DWORD, DWORD, SIZE_T)
{
    return static_cast<Block *>(mapping)->bytes;
}

BOOL WINAPI UnmapBlock(LPCVOID) { return TRUE; }
BOOL WINAPI CloseBlock(HANDLE) { return TRUE; }

} // namespace

InMemoryBlocks::InMemoryBlocks()
{
    PlatformSeams &seams = Platform();
    seams.createFileMapping = &OpenBlock;
    seams.mapViewOfFile = &MapBlock;
    seams.unmapViewOfFile = &UnmapBlock;
    seams.closeHandle = &CloseBlock;
}

InMemoryBlocks::~InMemoryBlocks()
{
    Table().clear();
}

void InMemoryBlocks::Write(const std::wstring &name, std::u16string_view text)
{
    if (text.size() >= kBlockUnits) {
        std::fprintf(stderr, "bench: a block text of %zu units leaves no room for its terminator\n", text.size());
        std::exit(1);
    }
    Block *block = static_cast<Block *>(OpenBlock(nullptr, nullptr, 0, 0, 0, name.c_str()));
    if (!block) {
        Table().push_back(std::make_unique<Block>());
        block = Table().back().get();
        block->name = name;
    }
    std::memset(block->bytes, 0, sizeof block->bytes);
    for (std::size_t i = 0; i < text.size(); ++i) {
        block->bytes[2 * i] = static_cast<unsigned char>(text[i] & 0xFF);
        block->bytes[2 * i + 1] = static_cast<unsigned char>(text[i] >> 8);
    }
}

void InMemoryBlocks::Cycle(const wchar_t *name)
{
    const PlatformSeams &seams = Platform();
    const SeamMapping mapping(
        seams.createFileMapping(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kBlockBytes, name));
    if (mapping)
        SeamView(static_cast<const unsigned char *>(
            seams.mapViewOfFile(mapping.get(), FILE_MAP_ALL_ACCESS, 0, 0, kBlockBytes)));
}
