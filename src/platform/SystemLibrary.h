// Functions of system DLLs that are not among the loader's known DLLs, loaded from the system folder
// only, so that a DLL of the same name planted beside the program is never used.
#pragma once

#include <windows.h>

// The address of a function exported by a DLL of the system folder, or nullptr.
FARPROC SystemFunction(const char* dll, const char* function);

template <typename Function>
Function* SystemFunctionAs(const char* dll, const char* function) {
    return reinterpret_cast<Function*>(reinterpret_cast<void*>(SystemFunction(dll, function)));
}
