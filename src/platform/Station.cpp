// Registry roots of a station, the rule for "this computer", and the station a typed name stands for.
#include "Station.h"

#include "SystemMessage.h"

bool IsThisComputerName(const std::string& name, const std::string& computerName) {
    return name == "." || (!name.empty() && lstrcmpiA(name.c_str(), computerName.c_str()) == 0);
}

std::string UncForm(const std::string& name) {
    return "\\\\" + name;
}

Station::Station(std::string name, std::string fileRoot, bool thisComputer, CurrentUser currentUser)
    : name_(std::move(name)),
      fileRoot_(std::move(fileRoot)),
      thisComputer_(thisComputer),
      currentUser_(currentUser),
      connections_(std::make_shared<RegistryConnections>(UncForm(name_))) {}

bool Station::IsConnectedRoot(HKEY root) const {
    return IsConnected() &&
           (root != HKEY_CURRENT_USER || (thisComputer_ && currentUser_ == CurrentUser::ConnectedByName));
}

bool Station::SelectRoot(TRegistry& registry, HKEY root) const {
    if (!IsConnectedRoot(root)) {
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
    return UncForm(name) + "\\C$\\";
}

Station StationNamed(const std::string& name, const std::string& computerName, const std::string& fileRoot) {
    if (name.empty())
        return Station();
    if (!IsThisComputerName(name, computerName))
        return Station(name, fileRoot);
    // "." names no computer to connect to.
    return name == "." ? Station() : Station(name, "C:\\", true);
}

Station StationReachedByName(const std::string& name, const std::string& computerName) {
    const bool thisComputer = IsThisComputerName(name, computerName);
    return Station(name, thisComputer ? "C:\\" : AdministrativeShareOf(name), thisComputer,
                   Station::CurrentUser::ConnectedByName);
}
