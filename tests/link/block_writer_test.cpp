// The order in which the block writer rewrites a block, seen from a second view of it.
#include "companion/blockwriter/SharedBlockWriter.h"
#include "link/blocks/BlockText.h"
#include "support/FreshGuid.h"
#include "win/Handle.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

// While the writer waits for copies under way the block reads as empty, and its old text is
// still there behind the cleared first unit: a copy that began before can only finish on
// the old text. Once written, the block holds the new text whole.
TEST(BlockWriter, WaitsForCopiesUnderWayWithTheBlockEmptyAndItsTailUntouched)
{
    const std::wstring name = TextBlockName(FreshGuidText());
    DWORD error = 0;
    std::optional<SharedBlockWriter> block = SharedBlockWriter::Open(name, error);
    ASSERT_TRUE(block) << error;
    const win::UniqueHandle mapping(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                                      static_cast<DWORD>(kBlockBytes), name.c_str()));
    ASSERT_TRUE(mapping);
    const win::MappedView mapped(MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, kBlockBytes));
    ASSERT_TRUE(mapped);
    const auto *view = static_cast<const unsigned char *>(mapped.get());

    ASSERT_TRUE(block->Write(u"100001|0|1|old text"));
    std::u16string copy(kBlockUnits, u'\0');
    int waits = 0;
    ASSERT_TRUE(block->Write(u"100002|0|1|new", [&] {
        ++waits;
        EXPECT_EQ(CopyBlockText(view, copy.data()), 0u);
        EXPECT_TRUE(BlockHoldsText(view + 2, u"00001|0|1|old text"));
    }));
    EXPECT_EQ(waits, 1);
    EXPECT_TRUE(BlockHoldsText(view, u"100002|0|1|new"));
}
