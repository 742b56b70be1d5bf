#include "MiniTest.h"
#include "win/Text.h"

#include <windows.h>

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <vector>

namespace minitest {
namespace {

struct Registered {
    const char *suite;
    const char *name;
    void (*body)();
};

std::vector<Registered> &Tests()
{
    static std::vector<Registered> tests;
    return tests;
}

int failuresInTest = 0;

} // namespace

std::string Show(std::string_view text) { return "\"" + std::string(text) + "\""; }
std::string Show(const char *text) { return text ? Show(std::string_view(text)) : "null"; }
std::string Show(std::wstring_view text) { return "L\"" + win::Utf8FromWide(text) + "\""; }
std::string Show(const wchar_t *text) { return text ? Show(std::wstring_view(text)) : "null"; }
std::string Show(std::u16string_view text)
{
    const std::wstring_view wide(reinterpret_cast<const wchar_t *>(text.data()), text.size());
    return "u\"" + win::Utf8FromWide(wide) + "\"";
}
std::string Show(bool value) { return value ? "true" : "false"; }

std::string Show(long long value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%" PRId64, static_cast<std::int64_t>(value));
    return text;
}

std::string Show(unsigned long long value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%" PRIu64, static_cast<std::uint64_t>(value));
    return text;
}

std::string Show(double value)
{
    char text[40];
    std::snprintf(text, sizeof text, "%.9g", value);
    return text;
}

std::string Show(const void *pointer)
{
    char text[32];
    std::snprintf(text, sizeof text, "%p", pointer);
    return text;
}

void Reporter::operator=(const Message &message) const
{
    ++failuresInTest;
    std::fprintf(stderr, "%s:%d: failure: %s%s%s\n", file, line, outcome.description.c_str(),
                 message.Text().empty() ? "" : "\n  ", message.Text().c_str());
    std::fflush(stderr);
}

int Register(const char *suite, const char *name, void (*body)())
{
    Tests().push_back({suite, name, body});
    return 0;
}

int RunAll(const char *filter)
{
    int run = 0, failed = 0;
    for (const Registered &test : Tests()) {
        const std::string fullName = std::string(test.suite) + "." + test.name;
        if (filter && !std::strstr(fullName.c_str(), filter))
            continue;
        failuresInTest = 0;
        std::fprintf(stderr, "[ RUN      ] %s\n", fullName.c_str());
        std::fflush(stderr);
        test.body();
        ++run;
        if (failuresInTest)
            ++failed;
        std::fprintf(stderr, "%s %s\n", failuresInTest ? "[  FAILED  ]" : "[       OK ]", fullName.c_str());
    }
    std::fprintf(stderr, "%d tests run, %d failed\n", run, failed);
    return failed == 0 && run > 0 ? 0 : 1;
}

} // namespace minitest

// --filter=TEXT runs the tests whose "Suite.Name" contains TEXT.
int main(int argc, char **argv)
{
    const char *filter = nullptr;
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--filter=", 9) == 0)
            filter = argv[i] + 9;
    return minitest::RunAll(filter);
}
