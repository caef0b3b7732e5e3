// Registry roots of a station.
#include "startup/Station.h"

bool Station::SelectRoot(TRegistry& registry, HKEY root) const {
    registry.SelectRoot(root);
    if (!IsConnected() || root == HKEY_CURRENT_USER)
        return HasRoot(root);  // no computer answers for another's current user
    return registry.ConnectComputer("\\\\" + name_);
}

std::string AdministrativeShareOf(const std::string& name) {
    return "\\\\" + name + "\\C$\\";
}
