// The wording of a station that does not answer, from the codes its registry, share and service manager gave.
#include "StationTrouble.h"

#include "SystemMessage.h"

namespace {

bool IsRefusal(DWORD code) {
    return code == ERROR_ACCESS_DENIED || code == ERROR_LOGON_FAILURE;
}

// The answers of a name that resolves to nothing, a computer that is off, or a firewall that lets nothing
// through.
bool IsUnreachable(DWORD code) {
    switch (code) {
        case ERROR_BAD_NETPATH:
        case ERROR_REM_NOT_LIST:
        case ERROR_NETNAME_DELETED:
        case ERROR_SEM_TIMEOUT:
        case ERROR_INVALID_NETNAME:
        case ERROR_NETWORK_UNREACHABLE:
        case ERROR_HOST_UNREACHABLE:
        case ERROR_TIMEOUT:
        case RPC_S_SERVER_UNAVAILABLE:
            return true;
        default:
            return false;
    }
}

}  // namespace

std::string ReachTroubleText(const std::string& station, DWORD code) {
    std::string text = SystemMessage(code);
    if (IsRefusal(code))
        text += " Tellurin needs an account that is an administrator on " + station +
                "; for a local account of a workgroup computer, UAC's remote restrictions take those rights "
                "away unless LocalAccountTokenFilterPolicy is 1 there.";
    else if (IsUnreachable(code))
        text += " Check that " + station +
                " is the computer's name or address and that it is on, and that its firewall lets File and "
                "Printer Sharing (SMB, TCP 445) through.";
    return text;
}

// A stopped service answers the connection as an unknown computer does: only its service manager tells.
std::string RegistryTroubleText(const std::string& station, LONG code, const ServiceFinding& service) {
    if (service.Stopped())
        return "The Remote Registry service of " + station + " is stopped" +
               (service.startType == SERVICE_DISABLED ? " and disabled." : ".");
    if (IsRefusal(service.error))
        return ReachTroubleText(station, service.error);
    if (service.managerAnswered && service.error == ERROR_SERVICE_DOES_NOT_EXIST)
        return SystemMessage(static_cast<DWORD>(code)) + " " + station + " has no Remote Registry service.";
    return ReachTroubleText(station, static_cast<DWORD>(code));
}

std::string ShareTroubleText(const std::string& station, DWORD code) {
    if (code == ERROR_BAD_NET_NAME)
        return SystemMessage(code) + " " + station +
               " does not share its drive C: as C$ (AutoShareWks must not be 0).";
    return ReachTroubleText(station, code);
}
