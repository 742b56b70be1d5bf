#include "host/OBSApi.h"
#include "source/TextOutputSource.h"

#include <gtest/gtest.h>
#include <cstdint>
#include <cstring>

namespace {

// The vtable slot a virtual member function pointer names. Under the Itanium C++ ABI that
// mingw-w64 follows, such a pointer holds 1 + the slot's byte offset; the destructor
// takes the first two slots (complete and deleting).
template <typename Member>
std::ptrdiff_t SlotOf(Member member)
{
    struct Representation {
        std::uintptr_t pointer;
        std::ptrdiff_t adjustment;
    };
    static_assert(sizeof(Member) == sizeof(Representation));
    Representation bits;
    std::memcpy(&bits, &member, sizeof bits);
    EXPECT_EQ(bits.pointer & 1u, 1u) << "not a virtual function";
    return static_cast<std::ptrdiff_t>((bits.pointer - 1) / sizeof(void *));
}

constexpr std::ptrdiff_t kFirstAfterDestructor = 2;

TEST(HostContract, ImageSourceOperationsKeepTheirSlots)
{
    std::ptrdiff_t slot = kFirstAfterDestructor;
    EXPECT_EQ(SlotOf(&ImageSource::Preprocess), slot++);
    EXPECT_EQ(SlotOf(&ImageSource::Tick), slot++);
    EXPECT_EQ(SlotOf(&ImageSource::Render), slot++);
    EXPECT_EQ(SlotOf(&ImageSource::GetSize), slot++);
    EXPECT_EQ(SlotOf(&ImageSource::UpdateSettings), slot++);
    EXPECT_EQ(SlotOf(&ImageSource::BeginScene), slot++);
    EXPECT_EQ(SlotOf(&ImageSource::EndScene), slot++);
    EXPECT_EQ(SlotOf(&ImageSource::GlobalSourceLeaveScene), slot++);
    EXPECT_EQ(SlotOf(&ImageSource::GlobalSourceEnterScene), slot++);
    EXPECT_EQ(SlotOf(&ImageSource::SetFloat), slot++);
    EXPECT_EQ(SlotOf(&ImageSource::SetInt), slot++);
    EXPECT_EQ(SlotOf(&ImageSource::SetString), slot++);
    EXPECT_EQ(SlotOf(&ImageSource::SetVector), slot++);
    EXPECT_EQ(SlotOf(&ImageSource::SetVector2), slot++);
    EXPECT_EQ(SlotOf(&ImageSource::SetVector4), slot++);
    EXPECT_EQ(SlotOf(&ImageSource::SetMatrix), slot++);
    EXPECT_EQ(SlotOf(&ImageSource::GetFloat), slot++);
    EXPECT_EQ(SlotOf(&ImageSource::GetInt), slot++);
    EXPECT_EQ(SlotOf(&ImageSource::GetString), slot++);
    EXPECT_EQ(SlotOf(&ImageSource::GetVector), slot++);
    EXPECT_EQ(SlotOf(&ImageSource::GetVector2), slot++);
    EXPECT_EQ(SlotOf(&ImageSource::GetVector4), slot++);
    EXPECT_EQ(SlotOf(&ImageSource::GetMatrix), slot++);
}

TEST(HostContract, RegisterImageSourceClassIsTheSixthApiOperation)
{
    EXPECT_EQ(SlotOf(&APIInterface::RegisterImageSourceClass), 5);
}

// The text source overrides exactly the operations the host expects it to: the others
// still resolve to the host's defaults.
TEST(HostContract, TextSourceOverridesTheFirstEightAndTheThreeSetters)
{
    using Base = ImageSource;
    using Text = TextOutputSource;
    EXPECT_FALSE((std::is_same_v<decltype(&Text::Preprocess), decltype(&Base::Preprocess)>));
    EXPECT_FALSE((std::is_same_v<decltype(&Text::Tick), decltype(&Base::Tick)>));
    EXPECT_FALSE((std::is_same_v<decltype(&Text::Render), decltype(&Base::Render)>));
    EXPECT_FALSE((std::is_same_v<decltype(&Text::GetSize), decltype(&Base::GetSize)>));
    EXPECT_FALSE((std::is_same_v<decltype(&Text::UpdateSettings), decltype(&Base::UpdateSettings)>));
    EXPECT_FALSE((std::is_same_v<decltype(&Text::BeginScene), decltype(&Base::BeginScene)>));
    EXPECT_FALSE((std::is_same_v<decltype(&Text::EndScene), decltype(&Base::EndScene)>));
    EXPECT_FALSE((std::is_same_v<decltype(&Text::SetFloat), decltype(&Base::SetFloat)>));
    EXPECT_FALSE((std::is_same_v<decltype(&Text::SetInt), decltype(&Base::SetInt)>));
    EXPECT_FALSE((std::is_same_v<decltype(&Text::SetString), decltype(&Base::SetString)>));
    EXPECT_TRUE((std::is_same_v<decltype(&Text::GlobalSourceEnterScene),
                                decltype(&Base::GlobalSourceEnterScene)>));
    EXPECT_TRUE((std::is_same_v<decltype(&Text::GetString), decltype(&Base::GetString)>));
}

} // namespace
