// Why another station does not answer, told apart in words that say what helps: its Remote Registry service
// is stopped, the account is not an administrator there, or the name or the network path does not lead to it.
#pragma once

#include <windows.h>

#include <string>

#include "ServiceFinding.h"

// The system's words for code, followed for access denied by what rights are needed, and for a name or
// a path that leads nowhere by what to check.
std::string ReachTroubleText(const std::string& station, DWORD code);

// The registry connection answered code; service is what the station's service manager said then.
std::string RegistryTroubleText(const std::string& station, LONG code, const ServiceFinding& service);

// The administrative share C$ answered code.
std::string ShareTroubleText(const std::string& station, DWORD code);
