// TExeInfo: the version texts of an executable's resource, and the local computer's name.
#pragma once

#include <string>

// Full path of the running executable.
std::string OwnExecutablePath();

// The local computer's name (GetComputerNameA), asked afresh; empty when the platform cannot give it.
std::string LocalComputerName();

class TExeInfo {
public:
    // Reads the version resource of the given executable (the running one by default).
    explicit TExeInfo(const std::string& exePath = OwnExecutablePath());

    std::string CompanyName;
    std::string FileDescription;
    std::string FileVersion;
    std::string InternalName;
    std::string LegalCopyright;
    std::string LegalTradeMark;
    std::string OriginalFileName;
    std::string ProductName;
    std::string ProductVersion;
    std::string Comments;

    // Asked afresh on every call; empty when the platform cannot give it.
    static std::string ComputerName();

private:
    void LoadVersionInfo(const std::string& exePath);
};
