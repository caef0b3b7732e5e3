// The DisabledStore's text encoding: UTF-8 lines, and lines of older stores in the legacy code page.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// This computer's legacy ANSI code page (Nls\CodePage "ACP"), in which older stores were written; 1252
// when the registry does not say. Read once: it changes only with a restart.
UINT LegacyCodePage();

// True when the line is ASCII, which reads the same in every code page.
bool IsAscii(std::string_view text);

// A line of the store as the program's text (the process's ANSI code page): UTF-8 when it is valid
// UTF-8, otherwise read in the legacy code page.
std::string FromStoreLine(std::string_view line, UINT legacyCodePage);

// The program's text as a UTF-8 line of the store.
std::string ToStoreLine(std::string_view text);
