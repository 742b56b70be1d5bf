#include "support/TempFolder.h"

#include "companion/plauditor/EventFileFollower.h"
#include "companion/plauditor/FollowPlan.h"
#include "companion/plauditor/LineAssembler.h"

#include <windows.h>

#include <gtest/gtest.h>

using Lines = std::vector<std::string>;

TEST(LineAssembly, PartialLastLineWaitsForItsNewline)
{
    LineAssembler assembler;
    EXPECT_EQ(assembler.Feed("{\"a\":1}\r\n{\"b\"").lines, Lines{"{\"a\":1}"});
    EXPECT_TRUE(assembler.HasPartialLine());
    EXPECT_EQ(assembler.Feed(":2}").lines, Lines{});
    EXPECT_EQ(assembler.Feed("\n\nx\n").lines, (Lines{"{\"b\":2}", "", "x"}));
    EXPECT_FALSE(assembler.HasPartialLine());
}

TEST(LineAssembly, OverlongLineIsDroppedAndTheNextOneStillComes)
{
    LineAssembler assembler(8);
    const auto first = assembler.Feed("123456789");
    EXPECT_EQ(first.overlongDropped, 1u);
    EXPECT_EQ(assembler.Feed("more of it\nok\n").lines, Lines{"ok"});
}

TEST(FollowDecisions, CoverMissingGrownTruncatedAndReplacedFiles)
{
    const FollowPosition none{};
    const FollowPosition at100{7, 100};
    EXPECT_EQ(PlanFollow(none, std::nullopt), FollowAction::Wait);
    EXPECT_EQ(PlanFollow(none, FileStamp{7, 0}), FollowAction::Wait);
    EXPECT_EQ(PlanFollow(none, FileStamp{7, 10}), FollowAction::Restart);
    EXPECT_EQ(PlanFollow(at100, FileStamp{7, 100}), FollowAction::Wait);
    EXPECT_EQ(PlanFollow(at100, FileStamp{7, 150}), FollowAction::Read);
    EXPECT_EQ(PlanFollow(at100, FileStamp{7, 40}), FollowAction::Restart);
    EXPECT_EQ(PlanFollow(at100, FileStamp{8, 150}), FollowAction::Restart);
    EXPECT_EQ(PlanFollow(at100, std::nullopt), FollowAction::Lost);
}

// The main loop sleeps long only while nothing it must look at could change unseen.
TEST(FollowDecisions, TheLoopSleepsLongOnlyWhileEveryFileIsWatched)
{
    EXPECT_EQ(LoopWaitMilliseconds({false, true, -1, std::nullopt}), 1000u);
    EXPECT_EQ(LoopWaitMilliseconds({false, false, -1, std::nullopt}), 100u);
    EXPECT_EQ(LoopWaitMilliseconds({true, true, -1, std::nullopt}), 20u);
    // Lines came 4.999 s ago: a file kept open may not notify, so it is polled a while.
    EXPECT_EQ(LoopWaitMilliseconds({false, true, 4999, std::nullopt}), 100u);
    EXPECT_EQ(LoopWaitMilliseconds({false, true, 5000, std::nullopt}), 1000u);
    EXPECT_EQ(LoopWaitMilliseconds({false, true, -1, 250}), 250u);
    EXPECT_EQ(LoopWaitMilliseconds({false, true, -1, 0}), 0u);
    EXPECT_EQ(LoopWaitMilliseconds({false, false, -1, 5000}), 100u);
}

TEST(EventFileFollowing, ReadsOnlyWhatIsAppended)
{
    TempFolder folder;
    const std::wstring path = folder / L"events.jsonl";
    ASSERT_TRUE(WriteFileBytes(path, "old\n"));
    EventFileFollower follower(path, false);
    EXPECT_EQ(follower.Poll().lines, Lines{});
    ASSERT_TRUE(AppendFileBytes(path, "new\npart"));
    EXPECT_EQ(follower.Poll().lines, Lines{"new"});
    ASSERT_TRUE(AppendFileBytes(path, "ial\n"));
    EXPECT_EQ(follower.Poll().lines, Lines{"partial"});
}

TEST(EventFileFollowing, TruncatedFileIsReadAgainFromItsStart)
{
    TempFolder folder;
    const std::wstring path = folder / L"events.jsonl";
    ASSERT_TRUE(WriteFileBytes(path, "one\ntwo\nthree\nhalf"));
    EventFileFollower follower(path, true);
    EXPECT_EQ(follower.Poll().lines, (Lines{"one", "two", "three"}));
    ASSERT_TRUE(WriteFileBytes(path, "four\n"));
    const auto news = follower.Poll();
    EXPECT_EQ(news.lines, Lines{"four"});
    EXPECT_EQ(news.notes.size(), 1u);
}

TEST(EventFileFollowing, ReplacedFileIsReadFromItsStart)
{
    TempFolder folder;
    const std::wstring path = folder / L"events.jsonl";
    const std::wstring replacement = folder / L"next.jsonl";
    ASSERT_TRUE(WriteFileBytes(path, "a\n"));
    EventFileFollower follower(path, false);
    // The new file is longer than the offset reached, so only its identity tells.
    ASSERT_TRUE(WriteFileBytes(replacement, "b-from-the-new-file\n"));
    ASSERT_TRUE(MoveFileExW(replacement.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(follower.Poll().lines, Lines{"b-from-the-new-file"});
}
