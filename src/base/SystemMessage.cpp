// FormatMessageA, read into a string.
#include "SystemMessage.h"

#include <windows.h>

#include "UniqueHandle.h"

std::string SystemMessage(unsigned long code) {
    char* buffer = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    UniqueLocal owner(buffer);
    std::string text(buffer != nullptr ? buffer : "", length);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ')
        text.pop_back();
    return text.empty() ? "System error " + std::to_string(code) + "." : text;
}
