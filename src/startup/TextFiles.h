// Small files read whole, appended to, and replaced in one step; failures raise EFileError naming the file.
#pragma once

#include <string>

// True when a file (not a folder) stands at path.
bool FileExists(const std::string& path);

// Every byte of the file.
std::string ReadWholeFile(const std::string& path);

// Appends text at the end of the file, creating it when missing. All or nothing: a failed write
// cuts the file back to its old length.
void AppendToFile(const std::string& path, const std::string& text);

// Writes text to path + ".tmp" and then moves that over path, so that a failure at any point leaves
// the old file whole.
void ReplaceFileContents(const std::string& path, const std::string& text);
