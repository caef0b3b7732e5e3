// What a program file says of itself without being run: whether it is there, its version texts, its
// signature and, when asked, its hash.
#pragma once

#include <string>

#include "FileSignature.h"

struct FileFacts {
    bool exists = false;
    // Neither found nor reported missing: access refused, or a share that does not answer.
    bool unreadable = false;
    std::string description;  // FileDescription
    std::string publisher;    // CompanyName
    std::string version;      // FileVersion
    FileSignature signature;
    std::string sha256;  // lower-case hex, when asked for
};

// The facts of the file at path; a missing or unreadable file has only exists and unreadable set.
FileFacts ReadFileFacts(const std::string& path, bool withHash);
