// The global operator new throws std::bad_alloc when memory runs out, as the language says
// and as the code's catch clauses expect; msvcrt.dll's own returns null.
#include <cstdlib>
#include <new>

namespace {

void *AllocateOrNull(std::size_t size)
{
    return std::malloc(size ? size : 1);
}

void *AllocateOrThrow(std::size_t size)
{
    if (void *block = AllocateOrNull(size))
        return block;
    throw std::bad_alloc();
}

} // namespace

const std::nothrow_t std::nothrow{};

void *operator new(std::size_t size) { return AllocateOrThrow(size); }
void *operator new[](std::size_t size) { return AllocateOrThrow(size); }
void *operator new(std::size_t size, const std::nothrow_t &) noexcept { return AllocateOrNull(size); }
void *operator new[](std::size_t size, const std::nothrow_t &) noexcept { return AllocateOrNull(size); }

void operator delete(void *block) noexcept { std::free(block); }
void operator delete[](void *block) noexcept { std::free(block); }
void operator delete(void *block, std::size_t) noexcept { std::free(block); }
void operator delete[](void *block, std::size_t) noexcept { std::free(block); }
void operator delete(void *block, const std::nothrow_t &) noexcept { std::free(block); }
void operator delete[](void *block, const std::nothrow_t &) noexcept { std::free(block); }
