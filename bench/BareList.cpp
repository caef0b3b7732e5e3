// The floor of `tellurinc list --location HKCU_Run --format csv`: a bare program that enumerates the
// same key and prints the same lines, quoting as CSV does, in one write. Started by cli_list_bench.
#include <windows.h>

#include <string>

#include "BenchSupport.h"

namespace {

std::string Field(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

}  // namespace

int main() {
    char computer[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD length = sizeof computer;
    GetComputerNameA(computer, &length);
    const std::string station(computer, length);
    std::string out = "station,location,name,command,status\r\n";
    for (const NameAndText& value : EnumerateRunKey(HKEY_CURRENT_USER))
        out += station + ",HKCU_Run," + Field(value.name) + "," + Field(value.text) + ",Enabled\r\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), out.data(), static_cast<DWORD>(out.size()), &written, nullptr);
    return 0;
}
