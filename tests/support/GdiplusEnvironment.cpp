// GDI+ runs for the whole test program, as the host keeps it running for its plug-ins
// (which never start it themselves).
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

namespace {

class GdiplusEnvironment : public ::testing::Environment {
    ULONG_PTR token = 0;

public:
    void SetUp() override
    {
        Gdiplus::GdiplusStartupInput input;
        ASSERT_EQ(Gdiplus::GdiplusStartup(&token, &input, nullptr), Gdiplus::Ok);
    }
    void TearDown() override
    {
        if (token)
            Gdiplus::GdiplusShutdown(token);
        token = 0;
    }
};

[[maybe_unused]] ::testing::Environment *const gdiplusEnvironment =
    ::testing::AddGlobalTestEnvironment(new GdiplusEnvironment);

} // namespace
