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

// Traits of a handle that the system closes with one function: empty when null, or, for the kernel
// handles that files and searches give, when INVALID_HANDLE_VALUE.
template <typename H, auto Closer>
struct NullableHandleTraits {
    using Handle = H;
    static Handle Empty() noexcept { return nullptr; }
    static void Close(Handle handle) noexcept { Closer(handle); }
};
template <auto Closer>
struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle Empty() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Handle handle) noexcept { Closer(handle); }
};

using UniqueFile = UniqueHandle<KernelHandleTraits<CloseHandle>>;
// A kernel handle that is null when missing: threads, tokens, processes.
using UniqueKernelHandle = UniqueHandle<NullableHandleTraits<HANDLE, CloseHandle>>;
using UniqueFind = UniqueHandle<KernelHandleTraits<FindClose>>;
using UniqueLocal = UniqueHandle<NullableHandleTraits<HLOCAL, LocalFree>>;
