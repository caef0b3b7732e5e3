// Move-only owner of one Win32 handle; Traits names the handle type, its empty value and its closer.
#pragma once

#include <windows.h>

template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other)
            reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle get() const noexcept { return handle_; }
    // For out-parameters: closes what is held first.
    Handle* put() noexcept {
        reset();
        return &handle_;
    }
    Handle release() noexcept {
        Handle handle = handle_;
        handle_ = Traits::Empty();
        return handle;
    }
    void reset(Handle handle = Traits::Empty()) noexcept {
        if (handle_ != Traits::Empty())
            Traits::Close(handle_);
        handle_ = handle;
    }
    explicit operator bool() const noexcept { return handle_ != Traits::Empty(); }

private:
    Handle handle_ = Traits::Empty();
};

struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle Empty() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Handle handle) noexcept { CloseHandle(handle); }
};
using UniqueFile = UniqueHandle<FileHandleTraits>;

struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle Empty() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Handle handle) noexcept { FindClose(handle); }
};
using UniqueFind = UniqueHandle<FindHandleTraits>;

struct LocalMemoryTraits {
    using Handle = HLOCAL;
    static Handle Empty() noexcept { return nullptr; }
    static void Close(Handle handle) noexcept { LocalFree(handle); }
};
using UniqueLocal = UniqueHandle<LocalMemoryTraits>;
