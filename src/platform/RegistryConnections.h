// The registry roots of another computer, each connected on first use and kept until the last owner
// lets go: on a network every connection costs round trips, so all the work on one computer shares one
// connection per root. Used by one thread at a time.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "RegistryApi.h"
#include "RegistryKey.h"

class RegistryConnections {
public:
    // machine as RegConnectRegistryA takes it: "\\" + name.
    explicit RegistryConnections(std::string machine) : machine_(std::move(machine)) {}
    RegistryConnections(const RegistryConnections&) = delete;
    RegistryConnections& operator=(const RegistryConnections&) = delete;

    // The connected root for a predefined one (HKEY_LOCAL_MACHINE, HKEY_USERS): connected now if it is
    // not yet. Nullptr when the computer refused it, then or before; result holds the answer.
    HKEY Root(const RegistryApi& api, HKEY predefined, LONG& result);
    // The connection whose handle broken failed as a broken one is dropped and made again, unless that
    // happened already. The new root, or nullptr.
    HKEY Reconnect(const RegistryApi& api, HKEY predefined, HKEY broken, LONG& result);

private:
    struct Connection {
        HKEY predefined;
        UniqueKey key;  // empty when the computer answers with the predefined root itself
        HKEY root;      // what opens go beneath; nullptr when refused
        LONG result;
    };
    Connection& Connect(const RegistryApi& api, HKEY predefined);
    Connection* Find(HKEY predefined);

    std::string machine_;
    std::vector<Connection> connections_;
    // Broken connections stay open until the end, so that no later key takes over a handle value
    // that a registry still borrows.
    std::vector<Connection> retired_;
};

// True for the answers of a connection that no longer reaches its computer.
bool IsBrokenConnection(LONG result);
