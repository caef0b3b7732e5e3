// Registry access for one startup location.
#include "LocationRegistry.h"

#include "LocationKeys.h"
#include "LoggedOnUsers.h"
#include "StartupSources.h"

std::optional<LocationPlace> PlaceOfLocation(const std::string& location,
                                             const RegistryApi& api,
                                             const Station& station) {
    if (const StartupSource* found = FindStationKey(location))
        return LocationPlace{found->root, found->keyPath, found->registryView};
    const std::optional<UserKey> key = UserKeyOf(location);
    if (!key)
        return std::nullopt;
    const std::optional<LoggedOnUser> user = LoggedOnUserNamed(key->user, api, station);
    if (!user)
        return std::nullopt;
    return LocationPlace{key->kind->root, "\\" + user->sid + key->kind->keyPath};
}

bool OpenLocationKey(TRegistry& registry,
                     const RegistryApi& api,
                     const std::string& location,
                     bool canCreate,
                     const Station& station) {
    const std::optional<LocationPlace> place = PlaceOfLocation(location, api, station);
    // A user's key must never fall back to the root of the running user's hive.
    if (!place && UserKeyOf(location))
        return false;
    if (!station.SelectRoot(registry, place ? place->root : registry.RootKey()))
        return false;
    if (place)
        registry.SelectView(place->view);
    return registry.OpenPath(place ? place->path : "", canCreate);
}

bool HoldsOtherText(TRegistry& registry, const std::string& name, const std::string& expected) {
    const std::optional<RegistryValue> value = registry.ReadValue(name);
    return value && TextOfValue(name, value->kind, value->data.data(), value->data.size()) != expected;
}
