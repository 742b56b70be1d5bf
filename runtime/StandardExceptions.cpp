// Members of the standard exception classes and the library's throw helpers. libstdc++'s
// headers declare them and leave their definitions to its compiled library, which follows
// the GNU C++ ABI and is not linked into this build.
#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <new>
#include <stdexcept>
#include <typeinfo>

namespace {

// The message of logic_error and runtime_error: an immutable text shared between copies,
// so that copying never allocates and cannot fail.
struct SharedText {
    volatile LONG references;
    char text[1];
};

const char kNoMessage[] = "";

const char *NewSharedText(const char *text, std::size_t length)
{
    auto *shared = static_cast<SharedText *>(std::malloc(offsetof(SharedText, text) + length + 1));
    if (!shared)
        return kNoMessage;
    shared->references = 1;
    std::memcpy(shared->text, text, length);
    shared->text[length] = '\0';
    return shared->text;
}

SharedText *SharedOf(const char *text)
{
    if (!text || text == kNoMessage)
        return nullptr;
    return reinterpret_cast<SharedText *>(const_cast<char *>(text) - offsetof(SharedText, text));
}

const char *Retain(const char *text)
{
    if (SharedText *shared = SharedOf(text))
        InterlockedIncrement(&shared->references);
    return text;
}

void Release(const char *text)
{
    if (SharedText *shared = SharedOf(text); shared && InterlockedDecrement(&shared->references) == 0)
        std::free(shared);
}

} // namespace

namespace std {

__cow_string::__cow_string() : _M_p(kNoMessage) {}
__cow_string::__cow_string(const std::string &text) : _M_p(NewSharedText(text.data(), text.size())) {}
__cow_string::__cow_string(const char *text, size_t length) : _M_p(NewSharedText(text, length)) {}
__cow_string::__cow_string(const __cow_string &other) noexcept : _M_p(Retain(other._M_p)) {}
__cow_string::__cow_string(__cow_string &&other) noexcept : _M_p(other._M_p) { other._M_p = kNoMessage; }
__cow_string::~__cow_string() { Release(_M_p); }

__cow_string &__cow_string::operator=(const __cow_string &other) noexcept
{
    const char *kept = Retain(other._M_p);
    Release(_M_p);
    _M_p = kept;
    return *this;
}

__cow_string &__cow_string::operator=(__cow_string &&other) noexcept
{
    if (this != &other) {
        Release(_M_p);
        _M_p = other._M_p;
        other._M_p = kNoMessage;
    }
    return *this;
}

exception::~exception() noexcept {}
const char *exception::what() const noexcept { return "std::exception"; }
bad_alloc::~bad_alloc() noexcept {}
const char *bad_alloc::what() const noexcept { return "std::bad_alloc"; }
bad_array_new_length::~bad_array_new_length() noexcept {}
const char *bad_array_new_length::what() const noexcept { return "std::bad_array_new_length"; }
bad_cast::~bad_cast() noexcept {}
const char *bad_cast::what() const noexcept { return "std::bad_cast"; }
bad_function_call::~bad_function_call() noexcept {}
const char *bad_function_call::what() const noexcept { return "bad_function_call"; }

#define MESSAGE_EXCEPTION_BASE(Name)                                                          \
    Name::Name(const string &message) : _M_msg(message) {}                                 \
    Name::Name(const char *message) : _M_msg(message, std::strlen(message)) {}             \
    Name::Name(const Name &) noexcept = default;                                           \
    Name::Name(Name &&) noexcept = default;                                                \
    Name &Name::operator=(const Name &) noexcept = default;                                \
    Name &Name::operator=(Name &&) noexcept = default;                                     \
    Name::~Name() noexcept {}                                                              \
    const char *Name::what() const noexcept { return _M_msg._M_p; }

#define MESSAGE_EXCEPTION(Name, Base)                                                         \
    Name::Name(const string &message) : Base(message) {}                                   \
    Name::Name(const char *message) : Base(message) {}                                     \
    Name::~Name() noexcept {}

MESSAGE_EXCEPTION_BASE(logic_error)
MESSAGE_EXCEPTION(length_error, logic_error)
MESSAGE_EXCEPTION(out_of_range, logic_error)
MESSAGE_EXCEPTION(invalid_argument, logic_error)
MESSAGE_EXCEPTION_BASE(runtime_error)

void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_array_new_length(); }
void __throw_bad_cast() { throw bad_cast(); }
void __throw_bad_function_call() { throw bad_function_call(); }
void __throw_logic_error(const char *message) { throw logic_error(message); }
void __throw_length_error(const char *message) { throw length_error(message); }
void __throw_out_of_range(const char *message) { throw out_of_range(message); }
void __throw_invalid_argument(const char *message) { throw invalid_argument(message); }
void __throw_runtime_error(const char *message) { throw runtime_error(message); }

void __throw_out_of_range_fmt(const char *format, ...)
{
    char message[512];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(message, sizeof message, format, arguments);
    va_end(arguments);
    throw out_of_range(message);
}

// Only a failing mutex or thread call raises it, which this build's code never expects to
// see; std::system_error's error categories live in the compiled library.
void __throw_system_error(int error)
{
    std::fprintf(stderr, "system error %d in the C++ library\n", error);
    std::abort();
}

} // namespace std
