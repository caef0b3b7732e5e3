// The location table.
#include "StartupLocations.h"

namespace {

// A 64-bit process runs on 64-bit Windows only, where 32-bit programs see a registry view of their
// own; in a 32-bit process that view is the native one and would be read twice.
constexpr bool kHasSeparate32BitView = sizeof(void*) == 8;

}  // namespace

const std::array<StartupLocation, 5>& StartupLocations() {
    static const std::array<StartupLocation, 5> locations{{
        {"HKLM_Run", HKEY_LOCAL_MACHINE, "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run",
         "HKLM\\..\\Run", "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run"},
        {"HKLM_RunOnce", HKEY_LOCAL_MACHINE, "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce",
         "HKLM\\..\\RunOnce", "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce"},
        {"HKCU_Run", HKEY_CURRENT_USER, "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run",
         "HKCU\\..\\Run", "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"},
        {"HKU_RunOnce", HKEY_USERS, ".DEFAULT\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce",
         "HKU\\..\\RunOnce", "HKEY_USERS\\.DEFAULT\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce"},
        {kStartupTag, nullptr, "", "Startup",
         "C:\\Documents and Settings\\[USERS]\\Start Menu\\Programs\\Startup"},
    }};
    return locations;
}

const std::array<StartupLocation, 2>& Startup32BitLocations() {
    static const std::array<StartupLocation, 2> locations{{
        {"HKLM_Run32", HKEY_LOCAL_MACHINE, "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run",
         "HKLM\\..\\Run (32-bit)",
         "HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Run",
         KEY_WOW64_32KEY},
        {"HKLM_RunOnce32", HKEY_LOCAL_MACHINE, "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce",
         "HKLM\\..\\RunOnce (32-bit)",
         "HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\RunOnce",
         KEY_WOW64_32KEY},
    }};
    return locations;
}

const std::array<PartnerLocation, 3>& PartnerLocations() {
    static const std::array<PartnerLocation, 3> locations{{
        {{"HKCU_RunOnce", HKEY_CURRENT_USER, "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce",
          "HKCU\\..\\RunOnce", "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce"},
         "HKU_RunOnce"},
        {{"HKLM_Policies", HKEY_LOCAL_MACHINE,
          "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run",
          "HKLM\\..\\Policies\\Explorer\\Run",
          "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run"},
         "HKLM_Run"},
        {{"HKCU_Policies", HKEY_CURRENT_USER,
          "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run",
          "HKCU\\..\\Policies\\Explorer\\Run",
          "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run"},
         "HKCU_Run"},
    }};
    return locations;
}

const std::array<UserKeyKind, 3>& UserKeyKinds() {
    static const std::array<UserKeyKind, 3> kinds{{
        {"Run", "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "HKCU_Run"},
        {"RunOnce", "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce", "HKU_RunOnce"},
        {"Policies", "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run", "HKCU_Run",
         true},
    }};
    return kinds;
}

const UserKeyKind* FindUserKeyKind(const std::string& kind) {
    for (const UserKeyKind& known : UserKeyKinds())
        if (kind == known.kind)
            return &known;
    return nullptr;
}

std::vector<const StartupLocation*> PartnersOf(const std::string& tag) {
    std::vector<const StartupLocation*> partners;
    if (const StartupLocation* partner = Find32BitPartner(tag))
        partners.push_back(partner);
    for (const PartnerLocation& partner : PartnerLocations())
        if (tag == partner.view)
            partners.push_back(&partner.location);
    return partners;
}

const StartupLocation* FindRegistryLocation(const std::string& tag) {
    for (const StartupLocation& location : StartupLocations())
        if (location.root != nullptr && tag == location.tag)
            return &location;
    if (kHasSeparate32BitView)
        for (const StartupLocation& location : Startup32BitLocations())
            if (tag == location.tag)
                return &location;
    for (const PartnerLocation& partner : PartnerLocations())
        if (tag == partner.location.tag)
            return &partner.location;
    return nullptr;
}

const StartupLocation* Find32BitPartner(const std::string& tag) {
    if (!kHasSeparate32BitView)
        return nullptr;
    for (const StartupLocation& location : Startup32BitLocations())
        if (tag + "32" == location.tag)
            return &location;
    return nullptr;
}
