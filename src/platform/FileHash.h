// The SHA-256 of a file's bytes.
#pragma once

#include <string>

// Lower-case hex; empty when the file cannot be read to its end.
std::string Sha256OfFile(const std::string& path);
