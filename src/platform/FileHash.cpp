// SHA-256 through the CryptoAPI of advapi32, the file read in large pieces.
#include "FileHash.h"

#include <windows.h>
#include <wincrypt.h>

#include <vector>

#include "UniqueHandle.h"

namespace {

struct ProviderTraits {
    using Handle = HCRYPTPROV;
    static Handle Empty() noexcept { return 0; }
    static void Close(Handle handle) noexcept { CryptReleaseContext(handle, 0); }
};
struct HashTraits {
    using Handle = HCRYPTHASH;
    static Handle Empty() noexcept { return 0; }
    static void Close(Handle handle) noexcept { CryptDestroyHash(handle); }
};

std::string Hex(const BYTE* bytes, DWORD size) {
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (DWORD i = 0; i < size; ++i)
        (text += digits[bytes[i] >> 4]) += digits[bytes[i] & 15];
    return text;
}

bool HashWholeFile(HANDLE file, HCRYPTHASH hash) {
    std::vector<BYTE> buffer(1 << 16);
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr))
            return false;
        if (read == 0)
            return true;
        if (!CryptHashData(hash, buffer.data(), read, 0))
            return false;
    }
}

}  // namespace

std::string Sha256OfFile(const std::string& path) {
    UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    UniqueHandle<ProviderTraits> provider;
    UniqueHandle<HashTraits> hash;
    if (!file || !CryptAcquireContextA(provider.put(), nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT) ||
        !CryptCreateHash(provider.get(), CALG_SHA_256, 0, 0, hash.put()) ||
        !HashWholeFile(file.get(), hash.get()))
        return {};
    BYTE digest[32];
    DWORD size = sizeof digest;
    if (!CryptGetHashParam(hash.get(), HP_HASHVAL, digest, &size, 0))
        return {};
    return Hex(digest, size);
}
