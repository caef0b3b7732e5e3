// An open registry key as UniqueHandle, closed through the table it was opened with.
#pragma once

#include <windows.h>

#include "RegistryApi.h"
#include "UniqueHandle.h"

// Closing through the table lets tests see, and fail, every close as they do every open.
struct RegistryKeyTraits {
    using Handle = HKEY;
    const RegistryApi* api = &RealRegistryApi();
    static Handle Empty() noexcept { return nullptr; }
    void Close(Handle key) const noexcept { api->closeKey(key); }
};
using UniqueKey = UniqueHandle<RegistryKeyTraits>;
