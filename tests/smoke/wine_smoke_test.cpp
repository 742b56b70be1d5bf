#include <gtest/gtest.h>
#include <windows.h>
TEST(Wine, RunsWindowsPrograms) { EXPECT_NE(GetCurrentProcessId(), 0u); }
