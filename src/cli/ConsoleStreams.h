// The process's own arguments and standard streams, as tellurinc uses them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The arguments after the program's name, from the UTF-16 ones that wmain gets, in the ANSI code
// page the logic speaks (UTF-8 under the tool's manifest).
std::vector<std::string> AnsiArguments(int argc, wchar_t** argv);

// True when the standard handle is a console rather than a file or a pipe.
bool IsConsole(DWORD standardHandle);

// Writes UTF-8 text: to a console as characters, to a file or a pipe as bytes, with no byte-order mark.
void WriteUtf8(DWORD standardHandle, const std::string& text);
