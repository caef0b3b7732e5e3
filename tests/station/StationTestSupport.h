// Helpers of the station tests: the local computer's name, stored numbers, snapshots of key paths.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "support/KeySnapshot.h"
#include "Outcome.h"

inline std::string LocalComputerName() {
    char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD length = sizeof name;
    GetComputerNameA(name, &length);
    return name;
}

// The REG_DWORD stored under a value, or nothing when it is missing or of another type.
inline std::optional<DWORD> StoredNumber(HKEY root, const std::string& path, const std::string& name) {
    const RawValue value = GetRawValue(root, path, name);
    if (!value.exists || value.type != REG_DWORD || value.data.size() != 4)
        return std::nullopt;
    return *reinterpret_cast<const DWORD*>(value.data.data());
}

inline std::string StoredText(HKEY root, const std::string& path, const std::string& name) {
    const RawValue value = GetRawValue(root, path, name);
    return value.exists ? std::string(value.data.begin(), value.data.end()).c_str() : "<missing>";
}

inline void DeleteValue(HKEY root, const std::string& path, const std::string& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    RegDeleteValueA(key, name.c_str());
    RegCloseKey(key);
}

// Snapshots every key along a path, parents first, so that keys a test creates
// along the path are removed again and existing ones get their values back.
class PathSnapshot {
public:
    PathSnapshot(HKEY root, const std::string& path) {
        for (size_t slash = path.find('\\'); slash != std::string::npos; slash = path.find('\\', slash + 1))
            levels_.push_back(std::make_unique<KeySnapshot>(root, path.substr(0, slash)));
        levels_.push_back(std::make_unique<KeySnapshot>(root, path));
    }
    ~PathSnapshot() {
        while (!levels_.empty())
            levels_.pop_back();  // deepest first
    }

private:
    std::vector<std::unique_ptr<KeySnapshot>> levels_;
};

// The message of the error a call raises, or "<no error>".
template <typename Call>
std::string ErrorOf(Call&& call) {
    try {
        call();
    } catch (const std::exception& error) {
        return error.what();
    }
    return "<no error>";
}

// An outcome as "done: <text>", "refused: <text>" or "failed: <text>".
inline std::string OutcomeText(const Outcome& outcome) {
    static const char* const kKinds[] = {"done", "refused", "failed"};
    return kKinds[static_cast<int>(outcome.kind())] + (": " + outcome.Text());
}
