// Finding a command's program file: environment, the CreateProcess cut, the search for bare names.
#include "ProgramFile.h"

#include <windows.h>

#include <cctype>
#include <cwchar>
#include <initializer_list>
#include <iterator>
#include <optional>

#include "TRegistry.h"
#include "LocationKeys.h"
#include "SourceKind.h"
#include "TextCodec.h"

namespace {

constexpr const char* kCurrentVersion = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
constexpr const char* kNtCurrentVersion = "\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";

std::string Upper(std::string text) {
    CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

std::string FileNameOf(const std::string& path) {
    const size_t slash = path.find_last_of("\\/:");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool HasFolder(const std::string& path) {
    return path.find_first_of("\\/:") != std::string::npos;
}

std::string WithExtension(const std::string& path, const char* extension) {
    return path.empty() || FileNameOf(path).find('.') != std::string::npos ? path : path + extension;
}

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Values of one key of the station, read leniently: a value missing or of another kind is left out.
std::string ReadValue(TRegistry& registry, const std::string& name) {
    try {
        return registry.ReadText(name);
    } catch (const std::exception&) {
        return {};
    }
}

// The wide call: the ANSI one counts its result in characters, which a text in UTF-8 outgrows.
std::string ExpandedByProcess(const std::string& text) {
    const std::wstring wide = ToWide(text, CP_ACP);
    std::wstring expanded(ExpandEnvironmentStringsW(wide.c_str(), nullptr, 0), L'\0');
    const DWORD size = static_cast<DWORD>(expanded.size());
    const DWORD written = size == 0 ? 0 : ExpandEnvironmentStringsW(wide.c_str(), expanded.data(), size);
    if (written == 0 || written > size)
        return text;  // failed, or a variable grew meanwhile
    expanded.resize(wcslen(expanded.c_str()));
    return FromWide(expanded, CP_ACP);
}

bool EndsInProgramExtension(const std::string& path) {
    const std::string name = FileNameOf(path);
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos)
        return false;
    for (const char* extension : {".exe", ".com", ".bat", ".cmd"})
        if (lstrcmpiA(name.c_str() + dot, extension) == 0)
            return true;
    return false;
}

// The text before the space at cut (all of it at npos) is the file; rest gets what follows.
std::string CutAt(const std::string& text, size_t cut, std::string& rest) {
    rest = cut == std::string::npos ? std::string() : text.substr(cut);
    return text.substr(0, cut);
}

// The DLL of "rundll32 dll,entry args": the text before the comma, quoted or not.
std::string DllArgument(const std::string& rest) {
    const std::string text = Trimmed(rest);
    if (text.starts_with("\""))
        return text.substr(1, text.find('"', 1) - 1);
    return Trimmed(text.substr(0, text.find(',')));
}

// Where a station keeps the machine values of the variables commands use, by the key that holds them.
struct Variable {
    const char* name;
    const char* value;       // the value that gives it
    bool driveOnly = false;  // its first two letters ("C:")
};
struct VariableSource {
    const char* key;
    std::initializer_list<Variable> variables;  // those of one value next to each other
};
const VariableSource kVariableSources[] = {
    {kNtCurrentVersion,
     {{"SYSTEMROOT", "SystemRoot"}, {"WINDIR", "SystemRoot"}, {"SYSTEMDRIVE", "SystemRoot", true}}},
    {kCurrentVersion,
     {{"PROGRAMFILES", "ProgramFilesDir"},
      {"PROGRAMFILES(X86)", "ProgramFilesDir (x86)"},
      {"PROGRAMW6432", "ProgramW6432Dir"}}},
    {"\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList", {{"PROGRAMDATA", "ProgramData"}}},
};

}  // namespace

StationEnvironment StationEnvironment::Of(const Station& station, const RegistryApi& api) {
    StationEnvironment environment;
    environment.process_ = !station.IsConnected() || station.IsThisComputer();
    environment.station_ = &station;
    environment.api_ = &api;
    return environment;
}

void StationEnvironment::ReadKeyOf(size_t group) const {
    readKeys_ |= 1u << group;
    const VariableSource& source = kVariableSources[group];
    TRegistry registry(*api_);
    if (!station_->SelectRoot(registry, HKEY_LOCAL_MACHINE) || !registry.OpenPathForReading(source.key))
        return;
    std::string valueName, value;  // SystemRoot gives three variables: read once
    for (const Variable& variable : source.variables) {
        if (valueName != variable.value)
            value = ReadValue(registry, valueName = variable.value);
        // ProgramFilesDir may name %SystemDrive%.
        if (!value.empty())
            values_[variable.name] = Expand(variable.driveOnly ? value.substr(0, 2) : value);
    }
}

const std::string* StationEnvironment::ValueOf(const std::string& upperName) const {
    for (size_t group = 0; group < std::size(kVariableSources); ++group)
        for (const auto& variable : kVariableSources[group].variables)
            if (upperName == variable.name && (readKeys_ & (1u << group)) == 0)
                ReadKeyOf(group);
    const auto value = values_.find(upperName);
    return value == values_.end() ? nullptr : &value->second;
}

std::string StationEnvironment::Expand(const std::string& text) const {
    if (process_)
        return ExpandedByProcess(text);
    std::string expanded;
    size_t from = 0;
    for (size_t open; (open = text.find('%', from)) != std::string::npos;) {
        const size_t close = text.find('%', open + 1);
        if (close == std::string::npos)
            break;
        expanded.append(text, from, open - from);
        if (const std::string* value = ValueOf(Upper(text.substr(open + 1, close - open - 1)))) {
            expanded += *value;
            from = close + 1;
        } else {
            expanded.append(text, open, close - open);  // the closing '%' may open the next name
            from = close;
        }
    }
    return expanded + text.substr(from);
}

ProgramFileFinder::ProgramFileFinder(const Station& station, const RegistryApi& api)
    : station_(station), api_(api), environment_(StationEnvironment::Of(station, api)) {
    windows_ = environment_.Expand("%SystemRoot%");
    if (windows_.find('%') != std::string::npos)
        windows_ = "C:\\Windows";
}

ProgramFile ProgramFileFinder::Of(const StartupEntry& row) const {
    const RowProgram program = KindOfLocation(ToLocationKey(row.location)).ProgramOf(row);
    return program.isFile ? ProgramFile{program.text, Reachable(program.text)}
                          : OfCommand(program.text, program.view32);
}

ProgramFile ProgramFileFinder::OfCommand(const std::string& command, bool view32) const {
    std::string rest;
    std::string file = Locate(FirstFile(Trimmed(environment_.Expand(command)), rest), ".exe", view32, true);
    const std::string name = FileNameOf(file);
    if (lstrcmpiA(name.c_str(), "rundll32.exe") == 0 || lstrcmpiA(name.c_str(), "rundll32") == 0)
        if (const std::string dll = DllArgument(rest); !dll.empty())
            file = Locate(dll, ".dll", view32, false);
    return {file, Reachable(file)};
}

std::string ProgramFileFinder::FirstFile(const std::string& text, std::string& rest) const {
    if (text.starts_with("\"")) {
        const size_t close = text.find('"', 1);
        rest = close == std::string::npos ? std::string() : text.substr(close + 1);
        return WithExtension(text.substr(1, close == std::string::npos ? std::string::npos : close - 1),
                             ".exe");
    }
    const size_t firstSpace = text.find(' ');
    if (HasFolder(text.substr(0, firstSpace))) {
        // What Windows runs comes first; without it, what the user meant: "C:\Program Files\A\a.exe"
        // rather than "C:\Program.exe".
        std::optional<size_t> longestProgram;
        for (size_t space = firstSpace;; space = text.find(' ', space + 1)) {
            const std::string prefix = text.substr(0, space);
            if (Exists(WithExtension(prefix, ".exe")))
                return WithExtension(CutAt(text, space, rest), ".exe");
            if (EndsInProgramExtension(prefix))
                longestProgram = space;
            if (space == std::string::npos)
                break;
        }
        if (longestProgram)
            return CutAt(text, *longestProgram, rest);
    }
    return WithExtension(CutAt(text, firstSpace, rest), ".exe");
}

std::string ProgramFileFinder::Locate(const std::string& name,
                                      const char* extension,
                                      bool view32,
                                      bool appPaths) const {
    const std::string file = name.empty() ? name : WithExtension(name, extension);
    if (file.empty() || HasFolder(file))
        return file;
    if (appPaths)
        if (std::string path = AppPath(file); !path.empty() && Exists(path))
            return path;
    for (const std::string& folder : {windows_ + (view32 ? "\\SysWOW64\\" : "\\System32\\"), windows_ + "\\"})
        if (Exists(folder + file))
            return folder + file;
    return file;
}

std::string ProgramFileFinder::AppPath(const std::string& name) const {
    TRegistry registry(api_);
    if (!station_.SelectRoot(registry, HKEY_LOCAL_MACHINE) ||
        !registry.OpenPathForReading(std::string(kCurrentVersion) + "\\App Paths\\" + name))
        return {};
    std::string path = Trimmed(environment_.Expand(ReadValue(registry, "")));
    if (path.size() >= 2 && path.starts_with("\"") && path.ends_with("\""))
        path = path.substr(1, path.size() - 2);
    return path;
}

bool ProgramFileFinder::Exists(const std::string& path) const {
    const std::string reachable = Reachable(path);
    const DWORD attributes =
        reachable.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(reachable.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string ProgramFileFinder::Reachable(const std::string& path) const {
    if (path.starts_with("\\\\"))
        return path;  // a network path is the same from here
    if (path.size() < 3 || path[1] != ':' || (path[2] != '\\' && path[2] != '/'))
        return {};  // relative to a folder the station alone knows
    const std::string& root = station_.FileRoot();
    const char drive = static_cast<char>(toupper(static_cast<unsigned char>(path[0])));
    if (drive == 'C')
        return root + path.substr(3);
    if (root == "C:\\")
        return path;
    // Another drive of another station: its own administrative share, when C: is seen through one.
    if (root.size() > 4 && root.ends_with("\\C$\\"))
        return root.substr(0, root.size() - 3) + drive + "$\\" + path.substr(3);
    return {};
}
