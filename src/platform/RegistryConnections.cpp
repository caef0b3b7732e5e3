// Connecting another computer's registry roots once and keeping them.
#include "RegistryConnections.h"

#include <algorithm>

HKEY RegistryConnections::Root(const RegistryApi& api, HKEY predefined, LONG& result) {
    Connection* known = Find(predefined);
    Connection& connection = known ? *known : Connect(api, predefined);
    result = connection.result;
    return connection.root;
}

HKEY RegistryConnections::Reconnect(const RegistryApi& api, HKEY predefined, HKEY broken, LONG& result) {
    Connection* known = Find(predefined);
    if (known != nullptr && known->root == broken) {
        retired_.push_back(std::move(*known));
        connections_.erase(connections_.begin() + (known - connections_.data()));
    }
    return Root(api, predefined, result);
}

RegistryConnections::Connection& RegistryConnections::Connect(const RegistryApi& api, HKEY predefined) {
    HKEY remote = nullptr;
    const LONG result = api.connectRegistry(machine_.c_str(), predefined, &remote);
    Connection connection{predefined, UniqueKey(RegistryKeyTraits{&api}), nullptr, result};
    if (result == ERROR_SUCCESS) {
        connection.root = remote;
        // This computer may answer with the predefined root itself, which is not ours to close.
        if (remote != predefined)
            connection.key = UniqueKey(remote, RegistryKeyTraits{&api});
    }
    return connections_.emplace_back(std::move(connection));
}

RegistryConnections::Connection* RegistryConnections::Find(HKEY predefined) {
    const auto found = std::find_if(connections_.begin(), connections_.end(),
                                    [&](const Connection& c) { return c.predefined == predefined; });
    return found == connections_.end() ? nullptr : &*found;
}

bool IsBrokenConnection(LONG result) {
    switch (result) {
        case ERROR_INVALID_HANDLE:
        case ERROR_UNEXP_NET_ERR:
        case ERROR_NETNAME_DELETED:
        case RPC_S_SERVER_UNAVAILABLE:
        case RPC_S_CALL_FAILED:
        case RPC_S_CALL_FAILED_DNE:
            return true;
        default:
            return false;
    }
}
