// What the Microsoft-ABI build's runtime (runtime/) supplies, working as the shipped code
// relies on it: exceptions thrown and caught through msvcrt.dll's frame handler, a throwing
// operator new, the standard exceptions' messages, dynamic_cast, and function-local statics
// initialised once however many threads ask.
#include "minitest/MiniTest.h"
#include "win/Handle.h"

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct Base {
    virtual ~Base() = default;
};
struct Derived : Base {};
struct Other : Base {};

// Allocations whose result is kept here cannot be optimised away.
void *volatile keptAllocation = nullptr;

TEST(Runtime, ExceptionsCarryTheirTypeAndMessage)
{
    std::string caught;
    try {
        throw std::runtime_error("late for the stream");
    } catch (const std::logic_error &) {
        caught = "logic";
    } catch (const std::exception &error) {
        caught = error.what();
    }
    EXPECT_EQ(caught, "late for the stream");

    const std::runtime_error original(std::string("shared"));
    std::runtime_error copy = original;
    copy = original;
    EXPECT_EQ(std::string(copy.what()), "shared");
    EXPECT_EQ(std::string(original.what()), "shared");
}

TEST(Runtime, OutOfMemoryThrowsBadAllocFromNewAndContainers)
{
    volatile std::size_t beyondAddressSpace = std::size_t(1) << 62;  // not known while compiling
    const std::size_t huge = beyondAddressSpace;
    bool fromNew = false, fromVector = false, fromString = false;
    try {
        keptAllocation = new char[huge];
    } catch (const std::bad_alloc &) {
        fromNew = true;
    }
    try {
        std::vector<std::uint64_t> values;
        values.reserve(huge / 16);
        keptAllocation = values.data();
    } catch (const std::bad_alloc &) {
        fromVector = true;
    }
    try {
        std::string text;
        text.reserve(std::string().max_size() + 1);
    } catch (const std::length_error &error) {
        fromString = std::string(error.what()).find("basic_string") != std::string::npos;
    }
    EXPECT_TRUE(fromNew);
    EXPECT_TRUE(fromVector);
    EXPECT_TRUE(fromString);
    keptAllocation = new (std::nothrow) char[huge];
    EXPECT_TRUE(keptAllocation == nullptr);
}

TEST(Runtime, DynamicCastTellsTypesApart)
{
    Derived derived;
    Other other;
    Base *bases[] = {&derived, &other};
    EXPECT_TRUE(dynamic_cast<Derived *>(bases[0]) == &derived);
    EXPECT_TRUE(dynamic_cast<Derived *>(bases[1]) == nullptr);
    EXPECT_TRUE(dynamic_cast<Other *>(bases[1]) == &other);
}

std::atomic<int> initialisations{0};

int SlowlyInitialised()
{
    static const int value = [] {
        ++initialisations;
        Sleep(50);  // long enough that the other threads arrive meanwhile
        return 42;
    }();
    return value;
}

DWORD WINAPI AskForTheStatic(void *result)
{
    *static_cast<int *>(result) = SlowlyInitialised();
    return 0;
}

TEST(Runtime, FunctionLocalStaticIsInitialisedOnceForAllThreads)
{
    int results[4] = {};
    win::UniqueHandle threads[4];
    for (int i = 0; i < 4; ++i)
        threads[i].reset(CreateThread(nullptr, 0, &AskForTheStatic, &results[i], 0, nullptr));
    for (const win::UniqueHandle &thread : threads)
        WaitForSingleObject(thread.get(), INFINITE);
    EXPECT_EQ(initialisations.load(), 1);
    EXPECT_EQ(results[0] + results[1] + results[2] + results[3], 4 * 42);
    EXPECT_EQ(SlowlyInitialised(), 42);
}

} // namespace
