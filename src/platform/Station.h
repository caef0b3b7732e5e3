// The computer whose registry and files are worked: this one, or another reached over the network.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "RegistryConnections.h"
#include "TRegistry.h"

// The one rule for "this computer": a name stands for the computer named computerName when it is
// "." or that name in any letter case. An empty name stands for none.
bool IsThisComputerName(const std::string& name, const std::string& computerName);

// "\\" + name, as RegConnectRegistryA and the network take it; a name that already begins with
// backslashes gets two more.
std::string UncForm(const std::string& name);

class Station {
public:
    // How this computer's HKEY_CURRENT_USER is reached once the computer is named: as the running
    // user's own root, or connected by name like its other roots.
    enum class CurrentUser { Own, ConnectedByName };

    // This computer, as the window has always worked it: predefined roots and drive C:.
    Station() = default;
    // A computer named: HKEY_LOCAL_MACHINE and HKEY_USERS through RegConnectRegistryA with "\\" + name,
    // files under fileRoot ("\\name\C$\" in production, a local folder in tests). HKEY_CURRENT_USER
    // belongs to whoever runs the program: only this computer, named by its own name, has it.
    // Every copy shares one connection per root, closed when the last copy goes.
    Station(std::string name,
            std::string fileRoot,
            bool thisComputer = false,
            CurrentUser currentUser = CurrentUser::Own);

    bool IsConnected() const { return connections_ != nullptr; }
    bool IsThisComputer() const { return thisComputer_; }
    bool HasRoot(HKEY root) const { return thisComputer_ || root != HKEY_CURRENT_USER; }
    const std::string& Name() const { return name_; }
    // Where "C:\" of the station is seen from here, ending in a backslash.
    const std::string& FileRoot() const { return fileRoot_; }

    // Makes root of the station the registry's root: a connected one is connected once for all copies.
    // False when the station has no such root or it cannot be reached.
    bool SelectRoot(TRegistry& registry, HKEY root) const;

private:
    bool IsConnectedRoot(HKEY root) const;

    std::string name_;
    std::string fileRoot_ = "C:\\";
    bool thisComputer_ = true;
    CurrentUser currentUser_ = CurrentUser::Own;
    std::shared_ptr<RegistryConnections> connections_;
};

// Why the station cannot be worked, in the system's words, or nothing when it answers: its registry
// (HKEY_LOCAL_MACHINE) and, when files are needed, its drive. This computer always answers.
std::optional<std::string> UnreachableReason(const Station& station, const RegistryApi& api, bool files);

// "\\" + name + "\C$\": the administrative share of a station's system drive.
std::string AdministrativeShareOf(const std::string& name);

// The station a name typed by the user stands for: "" and "." are this computer as the window has
// always worked it; this computer's own name (any letter case) is this computer, connected by name;
// any other name is another station whose drive C: is seen at fileRoot.
Station StationNamed(const std::string& name, const std::string& computerName, const std::string& fileRoot);

// The station as Computer Information reaches it: every root by name, whatever the name ("" and "."
// included, which then reach nothing), this computer's HKEY_CURRENT_USER too. A computer that
// cannot reach itself by name therefore reads as unreachable, as that window has always shown it.
Station StationReachedByName(const std::string& name, const std::string& computerName);
