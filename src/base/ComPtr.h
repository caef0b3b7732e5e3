// COM interface pointers as UniqueHandle: released exactly once, on every path.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include "UniqueHandle.h"

template <typename Interface>
struct ComTraits {
    using Handle = Interface*;
    static Handle Empty() noexcept { return nullptr; }
    static void Close(Handle pointer) noexcept { pointer->Release(); }
};
template <typename Interface>
using ComPtr = UniqueHandle<ComTraits<Interface>>;

// Another interface of the same object; empty when the object does not offer it. The interface's own
// identifier (__uuidof) needs no GUID library, which would bring every GUID it knows into the program.
template <typename Other, typename Interface>
ComPtr<Other> As(const ComPtr<Interface>& from) {
    ComPtr<Other> other;
    if (!from || FAILED(from->QueryInterface(__uuidof(Other), other.put_void())))
        other.reset();
    return other;
}
