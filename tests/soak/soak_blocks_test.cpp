// The soak's block catalogue: it only proves something if its ordinary blocks are ones the
// reader takes and its hostile ones are what their names say.
#include "producer/SoakBlocks.h"

#include "link/blocks/StyleBlock.h"
#include "link/blocks/TextBlock.h"

#include <gtest/gtest.h>

#include <set>

namespace {

std::u16string TextOf(const SoakBlock &block)
{
    std::u16string text(kBlockUnits, u'\0');
    std::vector<unsigned char> image(block.bytes);
    image.resize(kBlockBytes, 0);
    text.resize(CopyBlockText(image.data(), text.data()));
    return text;
}

bool HasTerminator(const SoakBlock &block)
{
    for (std::size_t i = 0; i + 1 < block.bytes.size(); i += 2)
        if (block.bytes[i] == 0 && block.bytes[i + 1] == 0)
            return true;
    return false;
}

TEST(SoakBlocks, OrdinaryBlocksAreTakenWholeByTheReader)
{
    SoakBlockSource source(11);
    for (int i = 0; i < 500; ++i) {
        const SoakBlock text = source.GoodText();
        const auto decodedText = DecodeTextBlock(TextOf(text), -1);
        ASSERT_TRUE(decodedText) << i;
        EXPECT_TRUE(decodedText->LineCheckPassed()) << i;
        EXPECT_GT(decodedText->sequence, 0);
        EXPECT_LT(decodedText->sequence, kSoakFinalSequenceBase);

        const auto decodedStyle = DecodeStyleBlock(TextOf(source.GoodStyle()), -1);
        ASSERT_TRUE(decodedStyle) << i;
        EXPECT_GE(decodedStyle->numbers[0], 16);  // fontSize
        EXPECT_FALSE(text.hostile);
    }
}

TEST(SoakBlocks, AboutOneBlockInTenIsHostileAndEveryKindTurnsUp)
{
    SoakBlockSource source(12);
    std::set<std::string> kinds;
    int hostile = 0;
    const int draws = 20000;
    for (int i = 0; i < draws / 2; ++i)
        for (const SoakBlock &block : {source.NextText(), source.NextStyle()})
            if (block.hostile) {
                ++hostile;
                kinds.insert(block.kind);
            }
    EXPECT_GT(hostile, draws * 8 / 100);
    EXPECT_LT(hostile, draws * 12 / 100);
    EXPECT_EQ(kinds.size(), SoakBlockSource::HostileTextKinds().size() + SoakBlockSource::HostileStyleKinds().size());
}

TEST(SoakBlocks, HostileBlocksAreWhatTheirNamesSay)
{
    SoakBlockSource source(13);
    const std::vector<std::string> textKinds = SoakBlockSource::HostileTextKinds();
    for (std::size_t kind = 0; kind < textKinds.size(); ++kind) {
        const SoakBlock block = source.HostileText(kind);
        EXPECT_EQ(block.kind, textKinds[kind]);
        EXPECT_LE(block.bytes.size(), kBlockBytes);
        EXPECT_EQ(HasTerminator(block), textKinds[kind] != "text without terminator") << textKinds[kind];
    }
    EXPECT_EQ(SplitBlockFields(TextOf(source.HostileText(1))).count, 70u);   // 70 fields
    EXPECT_EQ(DecodeTextBlock(TextOf(source.HostileText(2)), -1)->lines.count, 70u);

    const std::vector<std::string> styleKinds = SoakBlockSource::HostileStyleKinds();
    for (std::size_t kind = 0; kind < styleKinds.size(); ++kind) {
        const SoakBlock block = source.HostileStyle(kind);
        EXPECT_EQ(block.kind, styleKinds[kind]);
        const bool unterminated = styleKinds[kind] == "style without terminator" ||
                                  styleKinds[kind] == "style font of 1000 units";
        EXPECT_EQ(HasTerminator(block), !unterminated) << styleKinds[kind];
    }
    // The huge values arrive as such: fontSize 100000, extents past the int range saturate.
    EXPECT_EQ(DecodeStyleBlock(TextOf(source.HostileStyle(7)), -1)->numbers[0], 100000);
    EXPECT_EQ(DecodeStyleBlock(TextOf(source.HostileStyle(3)), -1)->numbers[16], 2147483647);
    EXPECT_EQ(DecodeStyleBlock(TextOf(source.HostileStyle(1)), -1)->font.size(), 940u);
}

TEST(SoakBlocks, TheSameSeedGivesTheSameBlocks)
{
    SoakBlockSource first(99), second(99);
    for (int i = 0; i < 200; ++i) {
        EXPECT_EQ(first.NextText().bytes, second.NextText().bytes);
        EXPECT_EQ(first.NextStyle().bytes, second.NextStyle().bytes);
    }
}

} // namespace
