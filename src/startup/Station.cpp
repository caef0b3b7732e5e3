// Registry roots of a station, and the station a typed name stands for.
#include "Station.h"

#include "SystemMessage.h"
#include "TExeInfo.h"

Station::Station(std::string name, std::string fileRoot, bool thisComputer)
    : name_(std::move(name)),
      fileRoot_(std::move(fileRoot)),
      thisComputer_(thisComputer),
      connections_(std::make_shared<RegistryConnections>("\\\\" + name_)) {}

bool Station::SelectRoot(TRegistry& registry, HKEY root) const {
    if (!IsConnected() || root == HKEY_CURRENT_USER) {
        registry.SelectRoot(root);
        return HasRoot(root);  // no computer answers for another's current user
    }
    return registry.SelectConnectedRoot(connections_, root);
}

std::optional<std::string> UnreachableReason(const Station& station, const RegistryApi& api, bool files) {
    if (station.IsThisComputer())
        return std::nullopt;
    TRegistry registry(api);
    if (!station.SelectRoot(registry, HKEY_LOCAL_MACHINE))
        return SystemMessage(static_cast<unsigned long>(registry.LastResult()));
    if (files && GetFileAttributesA(station.FileRoot().c_str()) == INVALID_FILE_ATTRIBUTES)
        return SystemMessage(GetLastError());
    return std::nullopt;
}

std::string AdministrativeShareOf(const std::string& name) {
    return "\\\\" + name + "\\C$\\";
}

Station StationNamed(const std::string& name, const std::string& computerName, const std::string& fileRoot) {
    if (name.empty() || name == ".")
        return Station();
    if (IsThisComputerName(name, computerName))
        return Station(name, "C:\\", true);
    return Station(name, fileRoot);
}

std::string StoreNameOf(const Station& station, const std::string& computerName) {
    if (station.IsThisComputer())
        return computerName;
    std::string name = station.Name();
    CharUpperBuffA(name.data(), static_cast<DWORD>(name.size()));
    return name;
}
