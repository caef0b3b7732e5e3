// Registry access for one startup location.
#include "startup/LocationRegistry.h"

#include "startup/StartupLocations.h"

bool OpenLocationKey(TRegistry& registry, const std::string& location, bool canCreate) {
    const StartupLocation* found = FindRegistryLocation(location);
    if (found != nullptr) {
        registry.SelectRoot(found->root);
        registry.SelectView(found->view);
    }
    return registry.OpenPath(found != nullptr ? found->keyPath : "", canCreate);
}

bool HoldsOtherText(TRegistry& registry, const std::string& name, const std::string& expected) {
    return registry.HasValue(name) && registry.ReadText(name) != expected;
}
