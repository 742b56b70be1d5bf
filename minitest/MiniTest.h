#pragma once
// A small test runner for the test programs of the Microsoft-ABI build. GoogleTest, doctest
// and Catch2 all print through the C++ library's compiled streams and locales, which that
// build cannot link (they follow the GNU C++ ABI); this prints with C stdio. The macros carry
// GoogleTest's names for the few kinds of check these programs make, and take a streamed
// message the same way: EXPECT_EQ(a, b) << "context".
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace minitest {

// Values as text for failure messages; wide text as UTF-8.
std::string Show(std::string_view text);
std::string Show(const char *text);
std::string Show(std::wstring_view text);
std::string Show(const wchar_t *text);
std::string Show(std::u16string_view text);
std::string Show(bool value);
std::string Show(long long value);
std::string Show(unsigned long long value);
std::string Show(double value);
std::string Show(const void *pointer);
inline std::string Show(const std::string &text) { return Show(std::string_view(text)); }
inline std::string Show(const std::wstring &text) { return Show(std::wstring_view(text)); }
inline std::string Show(const std::u16string &text) { return Show(std::u16string_view(text)); }
template <typename T>
std::string Show(const T &value)
{
    if constexpr (std::is_array_v<T>)
        return Show(static_cast<const std::remove_extent_t<T> *>(value));
    else if constexpr (std::is_enum_v<T>)
        return Show(static_cast<long long>(value));
    else if constexpr (std::is_floating_point_v<T>)
        return Show(static_cast<double>(value));
    else if constexpr (std::is_integral_v<T> && std::is_signed_v<T>)
        return Show(static_cast<long long>(value));
    else if constexpr (std::is_integral_v<T>)
        return Show(static_cast<unsigned long long>(value));
    else if constexpr (std::is_pointer_v<T>)
        return Show(static_cast<const void *>(value));
    else
        return "(value)";
}

template <typename T>
std::string Show(const std::vector<T> &values)
{
    std::string text = "{";
    for (const T &value : values)
        text += (text.size() > 1 ? ", " : "") + Show(value);
    return text + "}";
}

struct Outcome {
    bool passed = true;
    std::string description;
    explicit operator bool() const { return passed; }
};

inline Outcome Truth(bool value, const char *text, bool expected)
{
    if (value == expected)
        return {};
    return {false, std::string(text) + " is " + (value ? "true" : "false")};
}

template <typename A, typename B, typename Compare>
Outcome Relation(const A &a, const B &b, const char *aText, const char *bText, const char *op, Compare holds)
{
    if (holds(a, b))
        return {};
    return {false, std::string("expected ") + aText + " " + op + " " + bText + ", got " + Show(a) + " and " +
                       Show(b)};
}

// Collects what is streamed after a failed check.
class Message {
    std::string text;

public:
    template <typename T>
    Message &operator<<(const T &value)
    {
        if constexpr (std::is_convertible_v<const T &, std::string_view>)
            text += std::string_view(value);
        else
            text += Show(value);
        return *this;
    }
    const std::string &Text() const { return text; }
};

// Records a failure; assigning the message prints it.
class Reporter {
    const char *file;
    int line;
    Outcome outcome;

public:
    Reporter(const char *fileName, int lineNumber, Outcome failed)
        : file(fileName), line(lineNumber), outcome(static_cast<Outcome &&>(failed)) {}
    void operator=(const Message &message) const;
};

int Register(const char *suite, const char *name, void (*body)());
// Runs every registered test, or those whose "Suite.Name" contains filter; 0 when all pass.
int RunAll(const char *filter);

} // namespace minitest

#define TEST(suite, name)                                                                         \
    static void suite##_##name##_Body();                                                          \
    [[maybe_unused]] static const int suite##_##name##_Registered =                               \
        ::minitest::Register(#suite, #name, &suite##_##name##_Body);                             \
    static void suite##_##name##_Body()

#define MINITEST_CHECK(outcome, onFailure)                                                       \
    if (::minitest::Outcome minitestOutcome = (outcome))                                          \
        ;                                                                                         \
    else                                                                                          \
        onFailure ::minitest::Reporter(__FILE__, __LINE__, minitestOutcome) = ::minitest::Message()

#define MINITEST_RELATION(a, b, op, onFailure)                                                    \
    MINITEST_CHECK(::minitest::Relation((a), (b), #a, #b, #op,                                    \
                                        [](const auto &x, const auto &y) { return x op y; }),     \
                   onFailure)

#define EXPECT_TRUE(c) MINITEST_CHECK(::minitest::Truth(static_cast<bool>(c), #c, true), )
#define EXPECT_FALSE(c) MINITEST_CHECK(::minitest::Truth(static_cast<bool>(c), #c, false), )
#define EXPECT_EQ(a, b) MINITEST_RELATION(a, b, ==, )
#define EXPECT_NE(a, b) MINITEST_RELATION(a, b, !=, )
#define EXPECT_LT(a, b) MINITEST_RELATION(a, b, <, )
#define EXPECT_LE(a, b) MINITEST_RELATION(a, b, <=, )
#define EXPECT_GT(a, b) MINITEST_RELATION(a, b, >, )
#define EXPECT_GE(a, b) MINITEST_RELATION(a, b, >=, )
#define ASSERT_TRUE(c) MINITEST_CHECK(::minitest::Truth(static_cast<bool>(c), #c, true), return)
#define ASSERT_FALSE(c) MINITEST_CHECK(::minitest::Truth(static_cast<bool>(c), #c, false), return)
#define ASSERT_EQ(a, b) MINITEST_RELATION(a, b, ==, return)
#define ASSERT_NE(a, b) MINITEST_RELATION(a, b, !=, return)
#define ASSERT_GT(a, b) MINITEST_RELATION(a, b, >, return)
