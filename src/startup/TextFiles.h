// Small files read whole, appended to, and replaced in one step; failures raise EFileError naming the file.
#pragma once

#include <chrono>
#include <string>

// True when a file (not a folder) stands at path.
bool FileExists(const std::string& path);

// Every byte of the file. A file that another process is replacing refuses to open for a moment:
// then it is tried again for up to whileReplaced.
std::string ReadWholeFile(const std::string& path, std::chrono::milliseconds whileReplaced = {});

// Appends text at the end of the file, creating it when missing. All or nothing: a failed write
// cuts the file back to its old length.
void AppendToFile(const std::string& path, const std::string& text);

// Writes text to path + ".tmp" and then moves that over path, so that a failure at any point leaves
// the old file whole. A reader that has the file open for a moment delays the move, up to a second.
void ReplaceFileContents(const std::string& path, const std::string& text);
