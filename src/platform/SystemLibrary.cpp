// Loads system DLLs by LOAD_LIBRARY_SEARCH_SYSTEM32 and keeps them for the life of the process.
#include "SystemLibrary.h"

FARPROC SystemFunction(const char* dll, const char* function) {
    // Loaded once per name and never freed: the functions are used until the program ends.
    HMODULE module = GetModuleHandleA(dll);
    if (!module)
        module = LoadLibraryExA(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return module ? GetProcAddress(module, function) : nullptr;
}
