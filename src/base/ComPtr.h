// Move-only owner of one COM interface pointer: released exactly once, on every path.
#pragma once

#include <windows.h>
#include <unknwn.h>

template <typename Interface>
class ComPtr {
public:
    ComPtr() noexcept = default;
    ~ComPtr() { reset(); }

    ComPtr(ComPtr&& other) noexcept : pointer_(other.release()) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other)
            reset(other.release());
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    Interface* get() const noexcept { return pointer_; }
    Interface* operator->() const noexcept { return pointer_; }
    // For out-parameters of CoCreateInstance and QueryInterface: releases what is held first.
    void** put() noexcept {
        reset();
        return reinterpret_cast<void**>(&pointer_);
    }
    Interface* release() noexcept {
        Interface* pointer = pointer_;
        pointer_ = nullptr;
        return pointer;
    }
    void reset(Interface* pointer = nullptr) noexcept {
        if (pointer_ != nullptr)
            pointer_->Release();
        pointer_ = pointer;
    }
    explicit operator bool() const noexcept { return pointer_ != nullptr; }

    // Another interface of the same object; empty when the object does not offer it.
    template <typename Other>
    ComPtr<Other> As(REFIID iid) const {
        ComPtr<Other> other;
        if (pointer_ == nullptr || FAILED(pointer_->QueryInterface(iid, other.put())))
            other.reset();
        return other;
    }

private:
    Interface* pointer_ = nullptr;
};
