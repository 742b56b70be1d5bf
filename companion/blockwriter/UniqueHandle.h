#pragma once
// Owns one kernel handle. Both null and INVALID_HANDLE_VALUE mean "none", since the API
// reports failure with either depending on the call.
#include <windows.h>

#include <utility>

class UniqueHandle {
    HANDLE handle = nullptr;

public:
    UniqueHandle() = default;
    explicit UniqueHandle(HANDLE h) : handle(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
    UniqueHandle(UniqueHandle &&other) noexcept : handle(std::exchange(other.handle, nullptr)) {}
    UniqueHandle &operator=(UniqueHandle &&other) noexcept
    {
        std::swap(handle, other.handle);
        return *this;
    }
    UniqueHandle(const UniqueHandle &) = delete;
    UniqueHandle &operator=(const UniqueHandle &) = delete;
    ~UniqueHandle()
    {
        if (handle)
            CloseHandle(handle);
    }

    HANDLE get() const { return handle; }
    explicit operator bool() const { return handle != nullptr; }
};
