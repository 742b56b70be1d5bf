// Symbols that clang's Microsoft-ABI code refers to and that MSVC's own runtime would define.
#include <cstdio>
#include <cstdlib>

extern "C" {

// Marks a program that uses floating point; referred to by every object that does.
int _fltused = 0x9875;

// Called when an exception leaves a noexcept function.
[[noreturn]] void __std_terminate()
{
    std::fputs("terminate: an exception left a function that cannot throw\n", stderr);
    std::abort();
}

[[noreturn]] void TypeInfoDeletingDestructor()
{
    std::abort();
}
}

// The vtable of the Microsoft ABI's type_info. The type descriptors that the compiler emits
// for dynamic_cast and catch clauses point at it; msvcrt.dll compares descriptors by their
// decorated names and never calls through it, so its one slot (the deleting destructor)
// only has to exist.
asm(".section .rdata,\"dr\"\n"
    ".globl \"??_7type_info@@6B@\"\n"
    ".p2align 3\n"
    "\"??_7type_info@@6B@\":\n"
    ".quad TypeInfoDeletingDestructor\n"
    ".text\n");
