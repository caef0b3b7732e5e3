// Where the station values live: keys as passed to OpenPath, and the value names.
#pragma once

namespace station_keys {

// On the station's HKEY_LOCAL_MACHINE.
inline constexpr const char kIdentity[] = "\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\";
inline constexpr const char kOwner[] = "RegisteredOwner";
inline constexpr const char kOrganization[] = "RegisteredOrganization";

// On the station's HKEY_CURRENT_USER.
inline constexpr const char kBrowserMain[] = "\\Software\\Microsoft\\Internet Explorer\\Main";
inline constexpr const char kStartPage[] = "Start Page";
inline constexpr const char kInternetSettings[] =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
inline constexpr const char kProxyServer[] = "ProxyServer";
inline constexpr const char kProxyEnable[] = "ProxyEnable";

}  // namespace station_keys
