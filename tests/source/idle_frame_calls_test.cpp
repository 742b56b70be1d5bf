// An idle frame with the kernel's mapping calls replaced: what Preprocess asks of the kernel
// and of the host allocator, in order, while nothing new is published.
#include "hostlib/HostControl.h"
#include "link/ChannelSequence.h"
#include "link/PlatformSeams.h"
#include "source/TextOutputSource.h"
#include "support/NewTextSource.h"
#include "support/SceneTree.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<std::wstring> calls;
// Both blocks: sequence number 7, already taken in the test.
unsigned char heldBlock[2048];
const HANDLE kMapping = reinterpret_cast<HANDLE>(0x5A);

HANDLE WINAPI RecordCreate(HANDLE file, LPSECURITY_ATTRIBUTES security, DWORD protection, DWORD sizeHigh,
                           DWORD sizeLow, LPCWSTR name)
{
    calls.push_back(L"create " + std::to_wstring(file == INVALID_HANDLE_VALUE && !security) + L" " +
                    std::to_wstring(protection) + L" " + std::to_wstring(sizeHigh) + L" " +
                    std::to_wstring(sizeLow) + L" " + name);
    return kMapping;
}

LPVOID WINAPI RecordMap(HANDLE mapping, DWORD access, DWORD offsetHigh, DWORD offsetLow, SIZE_T bytes)
{
    calls.push_back(L"map " + std::to_wstring(mapping == kMapping) + L" " + std::to_wstring(access) + L" " +
                    std::to_wstring(offsetHigh) + L" " + std::to_wstring(offsetLow) + L" " + std::to_wstring(bytes));
    return heldBlock;
}

BOOL WINAPI RecordUnmap(LPCVOID view)
{
    calls.push_back(L"unmap " + std::to_wstring(view == heldBlock));
    return TRUE;
}

BOOL WINAPI RecordClose(HANDLE handle)
{
    calls.push_back(L"close " + std::to_wstring(handle == kMapping));
    return TRUE;
}

} // namespace

TEST(IdleFrame, OpensMapsAndLetsGoOfBothBlocksInOrderWithFiveAllocations)
{
    PlatformSeamsOverride restore;
    Platform().createFileMapping = &RecordCreate;
    Platform().mapViewOfFile = &RecordMap;
    Platform().unmapViewOfFile = &RecordUnmap;
    Platform().closeHandle = &RecordClose;
    const char16_t text[] = u"7|0|1|x";
    std::memset(heldBlock, 0, sizeof heldBlock);
    std::memcpy(heldBlock, text, sizeof text - 2);

    SceneTree tree;
    XElement *data = tree.NewDataElement();
    data->SetString(L"guid", L"{SOURCE}");
    data->parent->parent->SetString(L"sceneGuid", L"{SCENE}");
    TextOutputSource *source = NewTextSource(data);
    TakenSequenceNumbers() = ChannelSequenceNumbers{7, 7};
    source->Preprocess();  // the first frame also copies the source identifier
    calls.clear();

    const size_t liveBlocks = HostLiveBlocks();
    const size_t allocations = HostTotalAllocations();
    source->Preprocess();
    // The scene identifier, then each channel's name and scratch buffers; all given back.
    EXPECT_EQ(HostTotalAllocations() - allocations, 5u);
    EXPECT_EQ(HostLiveBlocks(), liveBlocks);
    const std::vector<std::wstring> expected = {
        L"create 1 4 0 2048 TCPlauditor{SCENE}", L"map 1 983071 0 0 2048", L"unmap 1", L"close 1",
        L"create 1 4 0 2048 TSPlauditor{SCENE}", L"map 1 983071 0 0 2048", L"unmap 1", L"close 1"};
    EXPECT_EQ(calls, expected);
    EXPECT_TRUE(source->currentText.IsEmpty());
    EXPECT_EQ(source->texture, nullptr);

    delete source;
    ResetChannelSequenceNumbers();
}
