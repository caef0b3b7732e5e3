// Move-only owner of one handle of any kind: Traits names the handle type, its empty value and its closer.
#pragma once

#include <windows.h>

#include <type_traits>

// Traits give `Handle`, `static Handle Empty()` and `Close(Handle)`. Close may be a member that
// reads state of the traits object (the table of functions to close through); the owner keeps that
// object beside the handle and hands it on when moved.
template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Traits traits) noexcept : traits_(traits) {}
    explicit UniqueHandle(Handle handle, Traits traits = {}) noexcept : handle_(handle), traits_(traits) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()), traits_(other.traits_) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            reset(other.release());
            traits_ = other.traits_;
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle get() const noexcept { return handle_; }
    Handle operator->() const noexcept requires std::is_pointer_v<Handle> { return handle_; }
    // For out-parameters: closes what is held first.
    Handle* put() noexcept {
        reset();
        return &handle_;
    }
    // For out-parameters typed void**, as CoCreateInstance and QueryInterface have them.
    void** put_void() noexcept requires std::is_pointer_v<Handle> { return reinterpret_cast<void**>(put()); }
    Handle release() noexcept {
        Handle handle = handle_;
        handle_ = Traits::Empty();
        return handle;
    }
    void reset(Handle handle = Traits::Empty()) noexcept {
        if (handle_ != Traits::Empty())
            traits_.Close(handle_);
        handle_ = handle;
    }
    explicit operator bool() const noexcept { return handle_ != Traits::Empty(); }

private:
    Handle handle_ = Traits::Empty();
    [[no_unique_address]] Traits traits_{};
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
