// The file-open dialog that picks a program for Add, and the folder it opens in.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

// The executable's folder: its full path up to and including the last "\\" or ":".
std::string FolderWithSeparator(const std::string& path);

// Runs the dialog; the chosen file's full path, or nothing when cancelled.
std::optional<std::string> PickProgramWithDialog(HWND owner, const std::string& initialFolder);
