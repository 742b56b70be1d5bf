#pragma once
// Owners for what Windows hands out and wants back: each frees its value exactly once, on
// reset or destruction, and can be moved but not copied.
#include <windows.h>

#include <utility>

namespace win {

// Traits say what "none" is, whether a value is held and how it is freed.
template <typename Traits>
class Owned {
public:
    using Type = typename Traits::Type;

    Owned() = default;
    explicit Owned(Type value) : held(value) {}
    Owned(Owned &&other) noexcept : held(other.release()) {}
    Owned &operator=(Owned &&other) noexcept
    {
        if (this != &other)
            reset(other.release());
        return *this;
    }
    Owned(const Owned &) = delete;
    Owned &operator=(const Owned &) = delete;
    ~Owned() { reset(); }

    Type get() const { return held; }
    explicit operator bool() const { return Traits::Holds(held); }
    // Gives the value up without freeing it.
    Type release() { return std::exchange(held, Traits::None()); }
    void reset(Type value = Traits::None())
    {
        const Type old = std::exchange(held, value);
        if (Traits::Holds(old) && old != value)
            Traits::Free(old);
    }

private:
    Type held = Traits::None();
};

// Most kinds are freed by one call and report "none" as null.
template <typename T>
struct NullIsNone {
    using Type = T;
    static Type None() { return nullptr; }
    static bool Holds(Type value) { return value != nullptr; }
};

// Kernel handles: files, mappings, processes, threads, pipes, events. Calls fail with null
// or INVALID_HANDLE_VALUE depending on the call, so neither counts as held.
struct KernelHandleTraits : NullIsNone<HANDLE> {
    static bool Holds(Type h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Free(Type h) { CloseHandle(h); }
};
using UniqueHandle = Owned<KernelHandleTraits>;

// A search from FindFirstFileW, which fails with INVALID_HANDLE_VALUE.
struct FindHandleTraits {
    using Type = HANDLE;
    static Type None() { return INVALID_HANDLE_VALUE; }
    static bool Holds(Type h) { return h != INVALID_HANDLE_VALUE; }
    static void Free(Type h) { FindClose(h); }
};
using FindHandle = Owned<FindHandleTraits>;

// A change notification from FindFirstChangeNotificationW, which fails with INVALID_HANDLE_VALUE.
struct ChangeNotificationTraits : FindHandleTraits {
    static void Free(Type h) { FindCloseChangeNotification(h); }
};
using ChangeNotification = Owned<ChangeNotificationTraits>;

// A view from MapViewOfFile.
struct MappedViewTraits : NullIsNone<void *> {
    static void Free(Type v) { UnmapViewOfFile(v); }
};
using MappedView = Owned<MappedViewTraits>;

// GDI objects freed with DeleteObject: fonts, bitmaps, brushes, pens, regions.
template <typename Handle>
struct GdiObjectTraits : NullIsNone<Handle> {
    static void Free(Handle h) { DeleteObject(h); }
};
template <typename Handle>
using GdiObject = Owned<GdiObjectTraits<Handle>>;
using FontHandle = GdiObject<HFONT>;
using BitmapHandle = GdiObject<HBITMAP>;

// A device context from CreateCompatibleDC.
struct MemoryDCTraits : NullIsNone<HDC> {
    static void Free(Type dc) { DeleteDC(dc); }
};
using MemoryDC = Owned<MemoryDCTraits>;

// The screen's device context from GetDC(nullptr).
struct ScreenDCTraits : NullIsNone<HDC> {
    static void Free(Type dc) { ReleaseDC(nullptr, dc); }
};
using ScreenDC = Owned<ScreenDCTraits>;

// A started process: both handles CreateProcessW returns.
struct Process {
    UniqueHandle process;
    UniqueHandle thread;

    Process() = default;
    explicit Process(const PROCESS_INFORMATION &started) : process(started.hProcess), thread(started.hThread) {}
};

} // namespace win
