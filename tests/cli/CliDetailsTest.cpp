// list --details on this computer: each row's program file and its facts in CSV and JSON, and one note
// for files out of reach.
#include <windows.h>

#include <fstream>

#include <gtest/gtest.h>

#include "StationFiles.h"
#include "Tellurinc.h"
#include "support/KeySnapshot.h"

namespace {

const char* kRunPath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kSigned = TELLURIN_SIGNED;

std::string HashOf(const std::string& name) {
    std::string hash;
    std::ifstream(kSigned + "\\" + name + ".sha256") >> hash;
    return hash;
}

std::string List(const std::vector<std::string>& args, std::string& err) {
    std::string out;
    CliEnvironment environment;
    environment.writeOut = [&](const std::string& text) { out += text; };
    environment.writeErr = [&](const std::string& text) { err += text; };
    environment.computerName = "HERE";
    const LocalMachine local{"HERE", "C:\\tellurinc_details_" + std::to_string(GetCurrentProcessId())};
    environment.work = [local](const CliCommand& command, const std::string& station) {
        return WorkStationWithFiles(command, station, local);
    };
    EXPECT_EQ(RunTellurinc(args, environment).exitStatus, 0) << err;
    return out;
}

TEST(TellurincDetails, EachRowNamesItsFileAndWhatTheFileSaysOfItself) {
    KeySnapshot run(HKEY_CURRENT_USER, kRunPath);
    DeleteKeyTree(HKEY_CURRENT_USER, kRunPath);
    SetTextValue(HKEY_CURRENT_USER, kRunPath, "Copy", "\"" + kSigned + "\\unsigned.dll\" /x");
    SetTextValue(HKEY_CURRENT_USER, kRunPath, "Far", "\\\\nosuchhost\\share\\far.exe");
    SetTextValue(HKEY_CURRENT_USER, kRunPath, "Gone", "C:\\Nowhere\\gone.exe /x");
    SetTextValue(HKEY_CURRENT_USER, kRunPath, "Library",
                 "rundll32.exe " + kSigned + "\\valid.dll,SampleValue");
    SetTextValue(HKEY_CURRENT_USER, kRunPath, "Twice", "\"" + kSigned + "\\UNSIGNED.dll\"");

    std::string err;
    const std::string csv =
        List({"list", "--location", "HKCU_Run", "--details", "--hash", "--format", "csv"}, err);
    const std::string sample = ",true,Tellurin sample library,Tellurin Test Works,2.3.4.5,";
    // Fields holding quotes or commas are quoted, their quotes doubled.
    const std::string copy = kSigned + "\\unsigned.dll";
    const std::string twice = kSigned + "\\UNSIGNED.dll";
    const std::string library = kSigned + "\\valid.dll";
    EXPECT_EQ(csv,
              "station,location,name,command,status,file,exists,description,publisher,version,signature,"
              "signer,sha256\r\n"
              "HERE,HKCU_Run,Copy,\"\"\"" +
                  copy + "\"\" /x\",Enabled," + copy + sample + "unsigned,," + HashOf("unsigned") + "\r\n" +
                  "HERE,HKCU_Run,Far,\\\\nosuchhost\\share\\far.exe,Enabled,\\\\nosuchhost\\share\\far.exe,"
                  "false,,,,,,\r\n"
                  "HERE,HKCU_Run,Gone,C:\\Nowhere\\gone.exe /x,Enabled,C:\\Nowhere\\gone.exe,false,,,,,,\r\n"
                  "HERE,HKCU_Run,Library,\"rundll32.exe " +
                  library + ",SampleValue\",Enabled," + library + sample + "untrusted,Tellurin Test Signer," +
                  HashOf("valid") + "\r\n" + "HERE,HKCU_Run,Twice,\"\"\"" + twice + "\"\"\",Enabled," +
                  twice + sample + "unsigned,," + HashOf("unsigned") + "\r\n");
    EXPECT_EQ(
        err,
        "HERE: could not read every program file, e.g. \\\\nosuchhost\\share\\far.exe; its details are left "
        "empty\r\nHERE: 5 entries\r\n");

    const std::string json = List({"list", "--location", "HKCU_Run", "--details", "--format", "json"}, err);
    EXPECT_NE(json.find("\"file\": \"C:\\\\Nowhere\\\\gone.exe\", \"exists\": false, \"description\": \"\""),
              std::string::npos)
        << json;
    EXPECT_NE(json.find("\"exists\": true, \"description\": \"Tellurin sample library\""), std::string::npos);
    EXPECT_EQ(json.find("sha256"), std::string::npos);
    const std::string table = List({"list", "--location", "HKCU_Run", "--details"}, err);
    auto endOfRow = [&](const std::string& name) {
        const size_t end = table.find("\r\n", table.find("HKCU_Run  " + name + " "));
        return table.substr(end - 16, 16);
    };
    EXPECT_EQ(endOfRow("Gone"), "  file not found");
    EXPECT_EQ(endOfRow("Far"), "        not read");
    EXPECT_EQ(endOfRow("Copy"), ".3.4.5  unsigned");
}

}  // namespace
