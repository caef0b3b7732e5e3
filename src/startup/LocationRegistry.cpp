// Registry access for one startup location.
#include "LocationRegistry.h"

#include "StartupLocations.h"

bool OpenLocationKey(TRegistry& registry,
                     const std::string& location,
                     bool canCreate,
                     const Station& station) {
    const StartupLocation* found = FindRegistryLocation(location);
    if (!station.SelectRoot(registry, found != nullptr ? found->root : registry.RootKey()))
        return false;
    if (found != nullptr)
        registry.SelectView(found->view);
    return registry.OpenPath(found != nullptr ? found->keyPath : "", canCreate);
}

bool HoldsOtherText(TRegistry& registry, const std::string& name, const std::string& expected) {
    return registry.HasValue(name) && registry.ReadText(name) != expected;
}

bool LocationKeyMissing(const RegistryApi& api, const std::string& tag, const Station& station) {
    const StartupLocation* found = FindRegistryLocation(tag);
    if (found == nullptr)
        return false;
    TRegistry registry(api);
    if (!station.SelectRoot(registry, found->root))
        return false;  // out of reach is not empty
    registry.SelectView(found->view);
    // A key that is there but refused is out of reach, not missing.
    return !registry.OpenPathForReading(found->keyPath) && registry.LastResult() == ERROR_FILE_NOT_FOUND;
}
