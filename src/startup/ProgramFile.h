// The program file a row's command starts on its station, found as Windows finds it, without running it.
#pragma once

#include <map>
#include <string>

#include "RegistryApi.h"
#include "StartupEntry.h"
#include "Station.h"

struct ProgramFile {
    std::string path;       // as the station names it ("C:\Tools\pager.exe"), or a bare name not found
    std::string reachable;  // the same file as seen from here; empty when it cannot be reached
};

// The environment variables commands use, with the station's own values: this computer's from the
// process (its user is the user of HKEY_CURRENT_USER), another station's machine values from its
// registry.
class StationEnvironment {
public:
    // Another station's values are read when a text first names them, a few at a time: station and
    // api must outlive the environment.
    static StationEnvironment Of(const Station& station, const RegistryApi& api);
    // %NAME% replaced by its value, the name in any letter case; an unknown name stays as written.
    std::string Expand(const std::string& text) const;

private:
    const std::string* ValueOf(const std::string& upperName) const;
    void ReadKeyOf(size_t group) const;

    bool process_ = false;
    const Station* station_ = nullptr;
    const RegistryApi* api_ = nullptr;
    mutable unsigned readKeys_ = 0;                      // a bit for each key read
    mutable std::map<std::string, std::string> values_;  // names in upper case
};

class ProgramFileFinder {
public:
    ProgramFileFinder(const Station& station, const RegistryApi& api);

    // A registry row's command, or a Startup row's shortcut target (COM must be initialised).
    ProgramFile Of(const StartupEntry& row) const;
    // The file a command starts. A quoted first token is the file; an unquoted command is cut at the
    // shortest space that leaves an existing file (".exe" added to a name without extension), else at
    // the longest that leaves a name ending in .exe, .com, .bat or .cmd, else at the first space. A bare name
    // is looked up in App Paths, then System32 (SysWOW64 for the 32-bit view), then the Windows folder. For
    // rundll32 the DLL before the comma is the file.
    ProgramFile OfCommand(const std::string& command, bool view32) const;
    // A station path as seen from here: drive C: under the station's file root.
    std::string Reachable(const std::string& path) const;
    // The station's Windows folder as the station names it ("C:\Windows").
    const std::string& WindowsFolder() const { return windows_; }

private:
    bool Exists(const std::string& path) const;
    std::string FirstFile(const std::string& text, std::string& rest) const;
    std::string Locate(const std::string& name, const char* extension, bool view32, bool appPaths) const;
    std::string AppPath(const std::string& name) const;

    Station station_;
    const RegistryApi& api_;
    StationEnvironment environment_;
    std::string windows_;  // the station's Windows folder
};
