// Shortcut (.lnk) files through the shell's link object: read a target, write a new shortcut.
#pragma once

#include <string>

// What ResolveShortcutTarget gives for a file that is not named ".lnk" (the text is the program's own).
inline constexpr const char* kNotAShortcut = "NOT a shortuct by extension!";

// The target path of a shortcut file; empty when it cannot be read or has no file-system target.
// The caller's thread must have initialised COM.
std::string ResolveShortcutTarget(const std::string& path);

// Writes folder + "\" + name + ".lnk" starting target, replacing any file of that name. True when
// the file was saved and exists. Raises EComError when the link object cannot be had.
bool CreateShortcut(const std::string& target, const std::string& folder, const std::string& name);
