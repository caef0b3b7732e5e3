// The user-hive rule and the process token's user.
#include "UserHives.h"

#include <windows.h>
#include <sddl.h>

#include <vector>

#include "UniqueHandle.h"

namespace {

constexpr char kUserHivePrefix[] = "S-1-5-21-";
constexpr char kClassesSuffix[] = "_Classes";

}  // namespace

bool IsUserHive(const std::string& name) {
    const std::string suffix = kClassesSuffix;
    return name.rfind(kUserHivePrefix, 0) == 0 &&
           !(name.size() >= suffix.size() &&
             name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0);
}

std::string RunningUserSid() {
    UniqueKernelHandle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.put()))
        return {};
    DWORD size = 0;
    GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
    std::vector<BYTE> buffer(size);
    if (size == 0 || !GetTokenInformation(token.get(), TokenUser, buffer.data(), size, &size))
        return {};
    char* text = nullptr;
    if (!ConvertSidToStringSidA(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &text))
        return {};
    const UniqueLocal owned(text);
    return text;
}
