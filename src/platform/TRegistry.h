// TRegistry: one root key, at most one open key beneath it, and the named values of that key.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "RegistryApi.h"
#include "RegistryConnections.h"
#include "RegistryKey.h"

enum class ValueKind { Other, Text, ExpandableText, Number, Bytes };

struct KeyInfo {
    DWORD subKeyCount = 0;
    DWORD maxSubKeyLength = 0;
    DWORD valueCount = 0;
    DWORD maxValueNameLength = 0;
    DWORD maxValueDataLength = 0;
    FILETIME lastWriteTime{};
};

// One value as the registry enumerates it: name, kind and the stored bytes.
struct RegistryValue {
    std::string name;
    ValueKind kind = ValueKind::Other;
    std::string data;
};

// The kind of a value of the registry's type.
ValueKind KindOfType(DWORD type);

// Text of a value as ReadText gives it: empty for no data, the bytes up to the first zero for
// text kinds; any other kind with data raises "Invalid data type for '<name>'".
std::string TextOfValue(const std::string& name, ValueKind kind, const char* data, size_t size);

class TRegistry {
public:
    explicit TRegistry(const RegistryApi& api = RealRegistryApi());

    void SelectRoot(HKEY root);
    // The registry view keys are opened in from now on: 0 for the process's own, KEY_WOW64_32KEY
    // for the one 32-bit programs see on 64-bit Windows.
    void SelectView(REGSAM view) { view_ = view; }
    bool ConnectComputer(const std::string& computerName);
    // Makes another computer's root, kept by connections, the root: connected on first use, borrowed,
    // never closed here. An open that finds the connection broken connects it again once and retries.
    bool SelectConnectedRoot(std::shared_ptr<RegistryConnections> connections, HKEY predefined);
    bool OpenPath(const std::string& path, bool canCreate);
    bool OpenPathForReading(const std::string& path);
    // What the registry answered to the last connect or open (the last mask tried, for reading):
    // tells a key that is not there (ERROR_FILE_NOT_FOUND) from one that is refused.
    LONG LastResult() const { return lastResult_; }
    void ClosePath();

    std::string ReadText(const std::string& name);
    // The stored bytes of a value of any kind; empty when it is missing or holds none.
    std::string ReadBytes(const std::string& name);
    // Kind and bytes of a value in one call where they fit; nothing when it cannot be read.
    std::optional<RegistryValue> ReadValue(const std::string& name);
    int32_t ReadNumber(const std::string& name);
    void WriteText(const std::string& name, const std::string& text);
    void WriteExpandableText(const std::string& name, const std::string& text);
    void WriteNumber(const std::string& name, int32_t number);
    void WriteBytes(const std::string& name, const std::string& bytes);
    bool RemoveValue(const std::string& name);
    bool HasValue(const std::string& name);
    void ListValueNames(std::vector<std::string>& names);
    // Names, kinds and data of every value in one enumeration; what cannot be read is skipped.
    void ListValues(std::vector<RegistryValue>& values);
    // Names of the sub-keys of the open key, or of the root while no key is open, in the order the
    // registry enumerates them. It opens nothing, so the access mask and the open key stay as they are.
    void ListKeyNames(std::vector<std::string>& names);

    HKEY RootKey() const;
    HKEY CurrentKey() const { return key_.get(); }
    const std::string& CurrentPath() const { return path_; }
    REGSAM Access() const { return access_; }
    bool IsRootConnected() const { return connectedRoot_ || connections_; }

private:
    enum class OpenMode { Existing, CreateMissing };
    bool OpenResolved(const std::string& path, OpenMode mode, REGSAM access);
    LONG OpenBeneath(HKEY base, const std::string& relative, OpenMode mode, REGSAM access, HKEY& opened);
    void DropConnections();
    bool QueryValueInfo(const std::string& name, ValueKind& kind, DWORD& size);
    // Type and bytes of a value; false when it cannot be read.
    bool QueryValue(const std::string& name, ValueKind& kind, std::string& bytes);
    bool QueryKeyInfo(KeyInfo& info);
    void FetchValue(const std::string& name, BYTE* buffer, DWORD bufferSize, DWORD& size, ValueKind& kind);
    void StoreValue(const std::string& name, const BYTE* data, ValueKind kind, DWORD size);
    DWORD NameBufferLength(const KeyInfo& info) const;
    // One value of the open key: its name, and its type and data when data is given.
    LONG EnumValueAt(DWORD index, std::string& name, std::string* data, DWORD& type, DWORD& dataSize);
    UniqueKey Owned(HKEY key) const { return UniqueKey(key, RegistryKeyTraits{&api_}); }

    const RegistryApi& api_;
    HKEY selectedRoot_ = HKEY_CURRENT_USER;  // predefined: never closed
    // Declared before the key beneath it, so that the key is closed first.
    UniqueKey connectedRoot_;
    std::shared_ptr<RegistryConnections> connections_;
    HKEY borrowedRoot_ = nullptr;  // of connections_; nullptr when the computer refused it
    UniqueKey key_;
    std::string path_;
    LONG lastResult_ = ERROR_SUCCESS;
    REGSAM access_ = KEY_ALL_ACCESS;
    REGSAM view_ = 0;
};
