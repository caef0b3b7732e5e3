// KeySnapshot and registry helpers, straight on advapi32.
#include "support/KeySnapshot.h"

namespace {

struct Key {
    HKEY handle = nullptr;
    ~Key() {
        if (handle)
            RegCloseKey(handle);
    }
};

}  // namespace

KeySnapshot::KeySnapshot(HKEY root, std::string path) : root_(root), path_(std::move(path)) {
    Key key;
    if (RegOpenKeyExA(root_, path_.c_str(), 0, KEY_READ, &key.handle) != ERROR_SUCCESS)
        return;
    existed_ = true;
    for (DWORD index = 0;; ++index) {
        char name[16384];
        DWORD nameLength = sizeof name;
        DWORD type = 0;
        DWORD size = 0;
        if (RegEnumValueA(key.handle, index, name, &nameLength, nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS)
            break;
        Value value{name, type, std::vector<BYTE>(size)};
        RegQueryValueExA(key.handle, name, nullptr, &type, value.data.data(), &size);
        values_.push_back(std::move(value));
    }
}

KeySnapshot::~KeySnapshot() {
    if (!existed_) {
        DeleteKeyTree(root_, path_);
        return;
    }
    Key key;
    if (RegCreateKeyExA(root_, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key.handle, nullptr) !=
        ERROR_SUCCESS)
        return;
    for (const std::string& name : ValueNames(root_, path_))
        RegDeleteValueA(key.handle, name.c_str());
    for (const Value& value : values_)
        RegSetValueExA(key.handle, value.name.c_str(), 0, value.type, value.data.data(),
                       static_cast<DWORD>(value.data.size()));
}

void DeleteKeyTree(HKEY root, const std::string& path) {
    RegDeleteTreeA(root, path.c_str());
    RegDeleteKeyA(root, path.c_str());
}

bool KeyExists(HKEY root, const std::string& path) {
    Key key;
    return RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key.handle) == ERROR_SUCCESS;
}

void SetRawValue(HKEY root,
                 const std::string& path,
                 const std::string& name,
                 DWORD type,
                 const void* data,
                 DWORD size) {
    Key key;
    RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key.handle, nullptr);
    RegSetValueExA(key.handle, name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
}

void SetTextValue(HKEY root,
                  const std::string& path,
                  const std::string& name,
                  const std::string& text,
                  DWORD type) {
    SetRawValue(root, path, name, type, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

void SetNumberValue(HKEY root, const std::string& path, const std::string& name, DWORD number) {
    SetRawValue(root, path, name, REG_DWORD, &number, sizeof number);
}

RawValue GetRawValue(HKEY root, const std::string& path, const std::string& name) {
    RawValue value;
    Key key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key.handle) != ERROR_SUCCESS)
        return value;
    DWORD size = 0;
    if (RegQueryValueExA(key.handle, name.c_str(), nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS)
        return value;
    value.exists = true;
    value.data.resize(size);
    RegQueryValueExA(key.handle, name.c_str(), nullptr, &value.type, value.data.data(), &size);
    return value;
}

std::vector<std::string> ValueNames(HKEY root, const std::string& path) {
    std::vector<std::string> names;
    Key key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key.handle) != ERROR_SUCCESS)
        return names;
    for (DWORD index = 0;; ++index) {
        char name[16384];
        DWORD length = sizeof name;
        if (RegEnumValueA(key.handle, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        names.emplace_back(name, length);
    }
    return names;
}
