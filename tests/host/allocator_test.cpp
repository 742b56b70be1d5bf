#include "host/OBSApi.h"
#include "hostlib/HostControl.h"

#include <gtest/gtest.h>

TEST(MainAllocator, CountsLiveBlocksAndBytes)
{
    size_t blocks = HostLiveBlocks(), bytes = HostLiveBytes(), total = HostTotalAllocations();
    void *a = Allocate(10);
    void *b = Allocate(30);
    EXPECT_EQ(blocks + 2, HostLiveBlocks());
    EXPECT_EQ(bytes + 40, HostLiveBytes());
    b = ReAllocate(b, 100);
    EXPECT_EQ(bytes + 110, HostLiveBytes());
    Free(a);
    Free(b);
    Free(nullptr);
    EXPECT_EQ(blocks, HostLiveBlocks());
    EXPECT_EQ(bytes, HostLiveBytes());
    EXPECT_EQ(total + 3, HostTotalAllocations());
}

TEST(MainAllocator, FailsTheRequestedNumberOfAllocations)
{
    HostFailNextAllocations(2);
    EXPECT_EQ(nullptr, Allocate(8));
    EXPECT_EQ(nullptr, Allocate(8));
    void *block = Allocate(8);
    EXPECT_NE(nullptr, block);
    Free(block);
}

TEST(MainAllocator, StringsReturnEveryBlock)
{
    size_t blocks = HostLiveBlocks();
    {
        String text(L"some text");
        String copy(text);
        copy += text;
        copy.FindReplace(L"text", L"words");
        copy.InsertString(2, L"--");
        StringList pieces;
        copy.GetTokenList(pieces, L' ', 1);
        char *utf8 = copy.CreateUTF8String();
        Free(utf8);
        EXPECT_LT(blocks, HostLiveBlocks());
    }
    EXPECT_EQ(blocks, HostLiveBlocks());
}

TEST(MainAllocator, StringOperationsSurviveAllocationFailure)
{
    size_t blocks = HostLiveBlocks();
    {
        String text(L"keep");
        HostFailNextAllocations(1);
        text.AppendString(L" more");
        EXPECT_TRUE(text == L"keep");   // an append that cannot grow leaves the text as it was
        HostFailNextAllocations(1);
        String copy(text);
        EXPECT_TRUE(copy.IsEmpty());
        HostFailNextAllocations(1);
        EXPECT_EQ(nullptr, text.CreateUTF8String());
        StringList list;
        HostFailNextAllocations(1);   // the copy of the text
        list.Add(text);
        EXPECT_EQ(0u, list.Num());
        HostFailNextAllocations(1);   // the array (an empty string needs no copy)
        list.Add(String());
        EXPECT_EQ(0u, list.Num());
    }
    HostFailNextAllocations(0);
    EXPECT_EQ(blocks, HostLiveBlocks());
}
