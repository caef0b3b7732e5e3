// Saves the values of one registry key and puts them back when the test ends.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class KeySnapshot {
public:
    KeySnapshot(HKEY root, std::string path);
    ~KeySnapshot();
    KeySnapshot(const KeySnapshot&) = delete;
    KeySnapshot& operator=(const KeySnapshot&) = delete;

private:
    struct Value {
        std::string name;
        DWORD type;
        std::vector<BYTE> data;
    };
    HKEY root_;
    std::string path_;
    bool existed_ = false;
    std::vector<Value> values_;
};

// Test helpers on the real registry.
void DeleteKeyTree(HKEY root, const std::string& path);
bool KeyExists(HKEY root, const std::string& path);
void SetRawValue(HKEY root,
                 const std::string& path,
                 const std::string& name,
                 DWORD type,
                 const void* data,
                 DWORD size);
void SetTextValue(HKEY root,
                  const std::string& path,
                  const std::string& name,
                  const std::string& text,
                  DWORD type = REG_SZ);
void SetNumberValue(HKEY root, const std::string& path, const std::string& name, DWORD number);
// Type and bytes of a value; type REG_NONE and no bytes when it is missing.
struct RawValue {
    bool exists = false;
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};
RawValue GetRawValue(HKEY root, const std::string& path, const std::string& name);
std::vector<std::string> ValueNames(HKEY root, const std::string& path);
