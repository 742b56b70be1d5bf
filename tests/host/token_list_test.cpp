#include "host/OBSApi.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::wstring> Tokens(CTSTR text, wchar_t token, int includeEmpty)
{
    StringList list;
    unsigned count = String(text).GetTokenList(list, token, includeEmpty);
    EXPECT_EQ(list.Num(), count);
    std::vector<std::wstring> pieces;
    for (unsigned i = 0; i < list.Num(); ++i)
        pieces.push_back(list[i].IsEmpty() ? L"" : list[i].Array());
    return pieces;
}

using Pieces = std::vector<std::wstring>;

}  // namespace

TEST(GetTokenList, KeepsEmptyPiecesBetweenTokensWhenAsked)
{
    EXPECT_EQ((Pieces{L"a", L"", L"b"}), Tokens(L"a\n\nb", L'\n', 1));
    EXPECT_EQ((Pieces{L"a", L"b"}), Tokens(L"a\n\nb", L'\n', 0));
}

TEST(GetTokenList, NothingFollowsAFinalToken)
{
    EXPECT_EQ((Pieces{L"a", L"b"}), Tokens(L"a\nb\n", L'\n', 1));
    EXPECT_EQ((Pieces{L"a", L""}), Tokens(L"a\n\n", L'\n', 1));
}

TEST(GetTokenList, LeadingTokenGivesEmptyFirstPieceWhenAsked)
{
    EXPECT_EQ((Pieces{L"", L"a"}), Tokens(L"\na", L'\n', 1));
    EXPECT_EQ((Pieces{L"a"}), Tokens(L"\na", L'\n', 0));
}

TEST(GetTokenList, EmptyTextHasNoPieces)
{
    EXPECT_EQ(Pieces{}, Tokens(L"", L'\n', 1));
    EXPECT_EQ(Pieces{}, Tokens(nullptr, L'\n', 1));
}

TEST(GetTokenList, ClearsTheListFirst)
{
    StringList list;
    list.Add(String(L"old"));
    EXPECT_EQ(2u, String(L"x,y").GetTokenList(list, L',', 1));
    EXPECT_TRUE(list[0] == L"x");
    EXPECT_TRUE(list[1] == L"y");
}

TEST(StringList, AddingItsOwnElementCopiesIt)
{
    StringList list;
    for (int i = 0; i < 8; ++i)
        list.Add(String(L"item"));
    list.Add(list[0]);   // the list grows while the argument points into it
    ASSERT_EQ(9u, list.Num());
    EXPECT_TRUE(list[8] == L"item");
}
