// TRegistry over the RegistryApi table; value errors raise ERegistryException, the rest answer bool.
#include "TRegistry.h"

#include <algorithm>
#include <cstring>

#include "Errors.h"

namespace {

// The largest a value-name buffer grows to.
constexpr size_t kLongestValueName = 32768;
// How often a value's data buffer grows before the value is skipped.
constexpr int kDataAttempts = 8;
// What a value read is first given room for: a command line or a switch fits.
constexpr size_t kFirstDataGuess = 512;

// Reading falls back to ever smaller rights, so that a key the user may only query still opens.
constexpr REGSAM kReadMasks[] = {KEY_READ, STANDARD_RIGHTS_READ | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS,
                                 KEY_QUERY_VALUE};

DWORD TypeOfKind(ValueKind kind) {
    switch (kind) {
        case ValueKind::Text:
            return REG_SZ;
        case ValueKind::ExpandableText:
            return REG_EXPAND_SZ;
        case ValueKind::Number:
            return REG_DWORD;
        case ValueKind::Bytes:
            return REG_BINARY;
        case ValueKind::Other:
            break;
    }
    return REG_NONE;
}

std::string Formatted(const char* lead, const std::string& name) {
    return lead + name + "'";
}

// Doubled on double-byte locales of NT, where the key's reported lengths can be too short.
bool IsDoubleByteNtLocale() {
    return GetSystemMetrics(SM_DBCSENABLED) != 0;
}

}  // namespace

ValueKind KindOfType(DWORD type) {
    switch (type) {
        case REG_SZ:
            return ValueKind::Text;
        case REG_EXPAND_SZ:
            return ValueKind::ExpandableText;
        case REG_DWORD:
            return ValueKind::Number;
        case REG_BINARY:
            return ValueKind::Bytes;
        default:
            return ValueKind::Other;
    }
}

std::string TextOfValue(const std::string& name, ValueKind kind, const char* data, size_t size) {
    if (size == 0)
        return {};
    if (kind != ValueKind::Text && kind != ValueKind::ExpandableText)
        throw ERegistryException(Formatted("Invalid data type for '", name));
    // A text stored without its terminating zero ends at its stored size.
    const void* zero = std::memchr(data, 0, size);
    return std::string(data, zero ? static_cast<const char*>(zero) - data : size);
}

TRegistry::TRegistry(const RegistryApi& api)
    : api_(api), connectedRoot_(RegistryKeyTraits{&api}), key_(RegistryKeyTraits{&api}) {}

HKEY TRegistry::RootKey() const {
    // A root of another computer that is not reached must never fall back to this computer's.
    if (connections_)
        return borrowedRoot_;
    return connectedRoot_ ? connectedRoot_.get() : selectedRoot_;
}

void TRegistry::SelectRoot(HKEY root) {
    if (root == RootKey())
        return;
    DropConnections();
    selectedRoot_ = root;
}

void TRegistry::DropConnections() {
    ClosePath();
    connectedRoot_.reset();
    connections_.reset();
    borrowedRoot_ = nullptr;
}

bool TRegistry::SelectConnectedRoot(std::shared_ptr<RegistryConnections> connections, HKEY predefined) {
    if (connections_ == connections && selectedRoot_ == predefined && borrowedRoot_ != nullptr)
        return true;
    DropConnections();
    selectedRoot_ = predefined;
    borrowedRoot_ = connections->Root(api_, predefined, lastResult_);
    connections_ = std::move(connections);
    return borrowedRoot_ != nullptr;
}

bool TRegistry::ConnectComputer(const std::string& computerName) {
    HKEY remote = nullptr;
    lastResult_ =
        api_.connectRegistry(computerName.c_str(), connections_ ? selectedRoot_ : RootKey(), &remote);
    if (lastResult_ != ERROR_SUCCESS)
        return false;
    // The local computer may answer with the predefined root itself, which is not ours to close.
    if (remote == RootKey())
        return true;
    DropConnections();
    connectedRoot_ = Owned(remote);
    return true;
}

bool TRegistry::OpenResolved(const std::string& path, OpenMode mode, REGSAM access) {
    const bool absolute = !path.empty() && path[0] == '\\';
    const std::string relative = absolute ? path.substr(1) : path;
    const bool beneathOpenKey = !absolute && key_;
    HKEY base = beneathOpenKey ? key_.get() : RootKey();

    HKEY opened = nullptr;
    access |= view_;
    lastResult_ = OpenBeneath(base, relative, mode, access, opened);
    if (connections_ && !beneathOpenKey && IsBrokenConnection(lastResult_)) {
        borrowedRoot_ = connections_->Reconnect(api_, selectedRoot_, base, lastResult_);
        if (borrowedRoot_ != nullptr)
            lastResult_ = OpenBeneath(borrowedRoot_, relative, mode, access, opened);
    }
    if (lastResult_ != ERROR_SUCCESS)
        return false;

    std::string newPath = beneathOpenKey ? path_ + "\\" + relative : relative;
    ClosePath();
    key_ = Owned(opened);
    path_ = std::move(newPath);
    return true;
}

LONG TRegistry::OpenBeneath(HKEY base,
                            const std::string& relative,
                            OpenMode mode,
                            REGSAM access,
                            HKEY& opened) {
    if (base == nullptr)
        return lastResult_;  // the computer refused this root: that stays the answer
    return (mode == OpenMode::CreateMissing && !relative.empty())
               ? api_.createKeyEx(base, relative.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access,
                                  nullptr, &opened, nullptr)
               : api_.openKeyEx(base, relative.c_str(), 0, access, &opened);
}

bool TRegistry::OpenPath(const std::string& path, bool canCreate) {
    return OpenResolved(path, canCreate ? OpenMode::CreateMissing : OpenMode::Existing, access_);
}

bool TRegistry::OpenPathForReading(const std::string& path) {
    for (REGSAM mask : kReadMasks) {
        if (OpenResolved(path, OpenMode::Existing, mask)) {
            access_ = mask;
            return true;
        }
        if (lastResult_ == ERROR_FILE_NOT_FOUND)
            return false;  // a key that is not there is not there with fewer rights either
    }
    return false;
}

void TRegistry::ClosePath() {
    key_.reset();
    path_.clear();
}

bool TRegistry::QueryValueInfo(const std::string& name, ValueKind& kind, DWORD& size) {
    DWORD type = REG_NONE;
    size = 0;
    if (!key_ ||
        api_.queryValueEx(key_.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
        size = 0;
        return false;
    }
    kind = KindOfType(type);
    return true;
}

bool TRegistry::QueryKeyInfo(KeyInfo& info) {
    info = KeyInfo{};
    if (!key_)
        return false;
    return api_.queryInfoKey(key_.get(), nullptr, nullptr, nullptr, &info.subKeyCount, &info.maxSubKeyLength,
                             nullptr, &info.valueCount, &info.maxValueNameLength, &info.maxValueDataLength,
                             nullptr, &info.lastWriteTime) == ERROR_SUCCESS;
}

bool TRegistry::QueryValue(const std::string& name, ValueKind& kind, std::string& bytes) {
    // Most values fit the first buffer, so that one call gives type and data; a longer one tells its size.
    if (!key_)
        return false;
    bytes.assign(kFirstDataGuess, '\0');
    for (int attempt = 1; attempt <= kDataAttempts; ++attempt) {
        DWORD type = REG_NONE;
        DWORD size = static_cast<DWORD>(bytes.size());
        const LONG result = api_.queryValueEx(key_.get(), name.c_str(), nullptr, &type,
                                              reinterpret_cast<BYTE*>(bytes.data()), &size);
        if (result == ERROR_SUCCESS) {
            bytes.resize(size);
            kind = KindOfType(type);
            return true;
        }
        if (result != ERROR_MORE_DATA)
            return false;
        bytes.assign(std::max<size_t>(size, bytes.size() * 2), '\0');
    }
    throw ERegistryException(Formatted("Failed to get data for '", name));
}

void TRegistry::FetchValue(const std::string& name,
                           BYTE* buffer,
                           DWORD bufferSize,
                           DWORD& size,
                           ValueKind& kind) {
    DWORD type = REG_NONE;
    size = bufferSize;
    if (!key_ || api_.queryValueEx(key_.get(), name.c_str(), nullptr, &type, buffer, &size) != ERROR_SUCCESS)
        throw ERegistryException(Formatted("Failed to get data for '", name));
    kind = KindOfType(type);
}

void TRegistry::StoreValue(const std::string& name, const BYTE* data, ValueKind kind, DWORD size) {
    if (!key_ || api_.setValueEx(key_.get(), name.c_str(), 0, TypeOfKind(kind), data, size) != ERROR_SUCCESS)
        throw ERegistryException(Formatted("Failed to set data for '", name));
}

std::string TRegistry::ReadText(const std::string& name) {
    ValueKind kind = ValueKind::Other;
    std::string bytes;
    if (!QueryValue(name, kind, bytes))
        return {};
    return TextOfValue(name, kind, bytes.data(), bytes.size());
}

std::string TRegistry::ReadBytes(const std::string& name) {
    ValueKind kind = ValueKind::Other;
    std::string bytes;
    return QueryValue(name, kind, bytes) ? bytes : std::string();
}

std::optional<RegistryValue> TRegistry::ReadValue(const std::string& name) {
    RegistryValue value{name, ValueKind::Other, {}};
    if (!QueryValue(name, value.kind, value.data))
        return std::nullopt;
    return value;
}

int32_t TRegistry::ReadNumber(const std::string& name) {
    BYTE bytes[4] = {};
    DWORD size = 0;
    ValueKind kind = ValueKind::Other;
    FetchValue(name, bytes, sizeof bytes, size, kind);
    if (kind != ValueKind::Number)
        throw ERegistryException(Formatted("Invalid data type for '", name));
    int32_t number = 0;
    std::memcpy(&number, bytes, sizeof number);
    return number;
}

void TRegistry::WriteText(const std::string& name, const std::string& text) {
    StoreValue(name, reinterpret_cast<const BYTE*>(text.c_str()), ValueKind::Text,
               static_cast<DWORD>(text.size() + 1));
}

void TRegistry::WriteExpandableText(const std::string& name, const std::string& text) {
    StoreValue(name, reinterpret_cast<const BYTE*>(text.c_str()), ValueKind::ExpandableText,
               static_cast<DWORD>(text.size() + 1));
}

void TRegistry::WriteNumber(const std::string& name, int32_t number) {
    BYTE bytes[4];
    std::memcpy(bytes, &number, sizeof bytes);
    StoreValue(name, bytes, ValueKind::Number, sizeof bytes);
}

void TRegistry::WriteBytes(const std::string& name, const std::string& bytes) {
    StoreValue(name, reinterpret_cast<const BYTE*>(bytes.data()), ValueKind::Bytes,
               static_cast<DWORD>(bytes.size()));
}

bool TRegistry::RemoveValue(const std::string& name) {
    return key_ && api_.deleteValue(key_.get(), name.c_str()) == ERROR_SUCCESS;
}

bool TRegistry::HasValue(const std::string& name) {
    ValueKind kind = ValueKind::Other;
    DWORD size = 0;
    return QueryValueInfo(name, kind, size);
}

DWORD TRegistry::NameBufferLength(const KeyInfo& info) const {
    DWORD longest = info.maxValueNameLength;
    // The key counts UTF-16 units; in the UTF-8 code page one of them takes up to three bytes.
    if (GetACP() == CP_UTF8)
        longest *= 3;
    else if (IsDoubleByteNtLocale())
        longest *= 2;
    return longest + 1;
}

LONG TRegistry::EnumValueAt(DWORD index, std::string& name, std::string* data, DWORD& type, DWORD& dataSize) {
    // The key's longest name can be reported too short, and a value can grow between the key query
    // and this call: grow the buffers and ask again, the name up to the longest one there can be,
    // the data a few times.
    for (int attempt = 1;; ++attempt) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        dataSize = data ? static_cast<DWORD>(data->size()) : 0;
        type = REG_NONE;
        const LONG result = api_.enumValue(
            key_.get(), index, name.data(), &nameLength, nullptr, data ? &type : nullptr,
            data ? reinterpret_cast<BYTE*>(data->data()) : nullptr, data ? &dataSize : nullptr);
        const bool nameCanGrow = name.size() < kLongestValueName;
        if (result != ERROR_MORE_DATA || (data ? attempt == kDataAttempts : !nameCanGrow))
            return result;
        if (nameCanGrow)
            name.assign(name.size() * 2, '\0');
        if (data)
            data->assign(std::max<size_t>(data->size() * 2, dataSize + 1), '\0');
    }
}

void TRegistry::ListValueNames(std::vector<std::string>& names) {
    names.clear();
    KeyInfo info;
    if (!QueryKeyInfo(info))
        return;
    std::string name(NameBufferLength(info), '\0');
    DWORD type = REG_NONE;
    DWORD dataSize = 0;
    for (DWORD index = 0; index < info.valueCount; ++index)
        if (EnumValueAt(index, name, nullptr, type, dataSize) == ERROR_SUCCESS)
            names.emplace_back(name.c_str());
}

void TRegistry::ListValues(std::vector<RegistryValue>& values) {
    values.clear();
    KeyInfo info;
    if (!QueryKeyInfo(info))
        return;
    std::string name(NameBufferLength(info), '\0');
    std::string data(info.maxValueDataLength + 1, '\0');
    values.reserve(info.valueCount);
    DWORD type = REG_NONE;
    DWORD dataSize = 0;
    for (DWORD index = 0; index < info.valueCount; ++index)
        if (EnumValueAt(index, name, &data, type, dataSize) == ERROR_SUCCESS)
            values.push_back({name.c_str(), KindOfType(type), data.substr(0, dataSize)});
}

void TRegistry::ListKeyNames(std::vector<std::string>& names) {
    names.clear();
    const HKEY key = key_ ? key_.get() : RootKey();
    // A key name has at most 255 UTF-16 units, three bytes each at most in any ANSI code page.
    std::string buffer(255 * 3 + 1, '\0');
    for (DWORD index = 0;; ++index) {
        DWORD length = static_cast<DWORD>(buffer.size());
        const LONG result =
            api_.enumKeyEx(key, index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_SUCCESS)
            names.emplace_back(buffer.data(), length);
        else if (result != ERROR_MORE_DATA)
            break;  // the end of the list, or a key that cannot be listed further
    }
}
