// A fresh registry connection per station operation; the TRegistry releases it on every path.
#include "StationSession.h"

#include "StationText.h"

namespace {

bool Connect(TRegistry& registry, HKEY root, const std::string& station) {
    registry.SelectRoot(root);
    return registry.ConnectComputer(UncForm(station));
}

}  // namespace

StationSession::StationSession(const RegistryApi& api, HKEY root, const std::string& station)
    : registry_(api), connected_(Connect(registry_, root, station)) {}
