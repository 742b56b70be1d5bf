#include "companion/blockwriter/SharedBlockWriter.h"

#include "companion/blockwriter/BlockFormat.h"
#include "link/blocks/BlockNames.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <utility>

namespace {

std::wstring BlockName(const char16_t *prefix, std::wstring_view sceneGuid)
{
    std::wstring name(prefix, prefix + kBlockPrefixLength);
    name += sceneGuid;
    return name;
}

void PutUnit(unsigned char *at, char16_t unit)
{
    at[0] = static_cast<unsigned char>(unit & 0xFF);
    at[1] = static_cast<unsigned char>(unit >> 8);
}

} // namespace

void WaitForCopiesUnderWay()
{
    Sleep(1);
}

std::wstring TextBlockName(std::wstring_view sceneGuid) { return BlockName(kTextBlockPrefix, sceneGuid); }
std::wstring StyleBlockName(std::wstring_view sceneGuid) { return BlockName(kStyleBlockPrefix, sceneGuid); }

std::optional<SharedBlockWriter> SharedBlockWriter::Open(std::wstring_view name, DWORD &error)
{
    const std::wstring terminatedName(name);
    win::UniqueHandle mapping(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                                 static_cast<DWORD>(kBlockBytes), terminatedName.c_str()));
    if (!mapping) {
        error = GetLastError();
        return std::nullopt;
    }
    win::MappedView view(MapViewOfFile(mapping.get(), FILE_MAP_ALL_ACCESS, 0, 0, kBlockBytes));
    if (!view) {
        error = GetLastError();
        return std::nullopt;
    }
    error = ERROR_SUCCESS;
    return SharedBlockWriter(std::move(mapping), std::move(view));
}

bool SharedBlockWriter::Write(std::u16string_view text, const std::function<void()> &waitForCopies)
{
    if (text.size() > kMaxBlockTextUnits)
        return false;
    // The first unit in one store each time, so a reader never takes half of it. Windows runs
    // little-endian, the block's byte order.
    volatile char16_t &first = *reinterpret_cast<volatile char16_t *>(Bytes());
    first = 0;
    std::atomic_thread_fence(std::memory_order_seq_cst);
    if (waitForCopies)
        waitForCopies();
    for (std::size_t i = 1; i < text.size(); ++i)
        PutUnit(Bytes() + 2 * i, text[i]);
    PutUnit(Bytes() + 2 * text.size(), 0);
    std::atomic_thread_fence(std::memory_order_seq_cst);
    if (!text.empty())
        first = text[0];
    return true;
}

void SharedBlockWriter::WriteImage(const void *bytes, std::size_t size)
{
    std::memcpy(Bytes(), bytes, std::min(size, kBlockBytes));
}
