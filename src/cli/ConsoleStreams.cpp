// Arguments in the ANSI code page, and writes to the console or to redirected streams.
#include "ConsoleStreams.h"

#include "TextCodec.h"

std::vector<std::string> AnsiArguments(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(FromWide(argv[i], CP_ACP));
    return args;
}

bool IsConsole(DWORD standardHandle) {
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(standardHandle), &mode) != 0;
}

void WriteUtf8(DWORD standardHandle, const std::string& text) {
    HANDLE handle = GetStdHandle(standardHandle);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE || text.empty())
        return;
    if (IsConsole(standardHandle)) {
        // The console's own code page may not be UTF-8: hand it characters.
        const std::wstring wide = ToWide(text, CP_UTF8);
        DWORD written = 0;
        WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    size_t done = 0;
    while (done < text.size()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(text.size() - done, 1u << 20));
        if (!WriteFile(handle, text.data() + done, chunk, &written, nullptr) || written == 0)
            return;  // a closed pipe: nobody is left to read
        done += written;
    }
}
