// tellurinc from arguments to exit status: usage errors, a refused action, and many stations at once.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <algorithm>
#include <fstream>
#include <mutex>
#include <thread>

#include <gtest/gtest.h>

#include "OutputFormats.h"
#include "Tellurinc.h"
#include "TextCodec.h"
#include "support/FaultyRegistryApi.h"
#include "support/KeySnapshot.h"

namespace {

const char* kRunPath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

struct Console {
    std::string out;
    std::string err;
    CliEnvironment environment;

    explicit Console(decltype(CliEnvironment::work) work = {}) {
        environment.writeOut = [this](const std::string& text) { out += text; };
        environment.writeErr = [this](const std::string& text) { err += text; };
        environment.computerName = "HERE";
        environment.work = std::move(work);
    }
    int Run(const std::vector<std::string>& args) { return RunTellurinc(args, environment).exitStatus; }
};

TEST(TellurincUsage, BadCommandLinesExitTwoWithOneLineReasonAndUsage) {
    const std::string hosts = "C:\\tellurinc_hosts_" + std::to_string(GetCurrentProcessId()) + ".txt";
    std::ofstream(hosts, std::ios::binary) << "\xEF\xBB\xBF# comment only\r\n\r\n   \r\n";
    const std::string badHosts = hosts + ".bad";
    std::ofstream(badHosts, std::ios::binary) << "ws01\r\n..\\..\\x\r\n";
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases{
        {{}, "missing command"},
        {{"lst"}, "unknown command 'lst'"},
        {{"list", "--colour", "red"}, "unknown option '--colour'"},
        {{"list", "--location", "Run"}, "unknown location 'Run'"},
        {{"list", "--location", "alice\\Startup"}, "unknown location"},  // a LOC is no VIEW
        {{"list", "--format", "xml"}, "unknown format 'xml'"},
        {{"list", "--format"}, "--format needs a value"},
        {{"disable", "--location", "HKCU_Run"}, "missing --name"},
        {{"enable", "--name", "Pager"}, "missing --location"},
        {{"add", "--location", "HKCU_Run", "--name", "Pager"}, "missing --command"},
        {{"remove", "--location", "Startup", "--name", "x"}, "unknown location 'Startup'"},
        {{"disable", "--location", "\\Startup", "--name", "x"}, "unknown location"},
        {{"list", "--parallel", "0"}, "--parallel needs a whole number"},
        {{"list", "--timeout", "2s"}, "--timeout needs a whole number"},
        {{"list", "--format", "csv", "--format", "json"}, "--format given twice"},
        {{"list", "extra"}, "unexpected argument 'extra'"},
        {{"list", "--hash"}, "--hash needs --details"},
        {{"compare"}, "missing BASELINE"},
        {{"compare", "old.json", "new.json"}, "unexpected argument 'new.json'"},
        {{"compare", "old.json", "--hash"}, "--hash needs --details"},
        {{"compare", "old.json", "--ignore"}, "--ignore needs a value"},
        {{"disable", "--location", "HKCU_Run", "--name", "x", "--details"}, "unknown option '--details'"},
        {{"list", "--station", "@C:\\no\\such\\hosts.txt"}, "C:\\no\\such\\hosts.txt"},
        {{"list", "--station", "@" + hosts}, "no station named in"},
        // A station name goes into "\\S\C$\" and into the store's file name: it must stay one name.
        {{"list", "--station", "..\\x"}, "'..\\x' is not a station name"},
        {{"disable", "--location", "HKCU_Run", "--name", "x", "--station", "a/b"}, "'a/b' is not a station"},
        {{"list", "--station", "ws 01"}, "'ws 01' is not a station name"},
        {{"list", "--station", "c:"}, "'c:' is not a station name"},
        {{"list", "--station", ".."}, "'..' is not a station name"},
        {{"list", "--station", ""}, "'' is not a station name"},
        {{"list", "--station", std::string(256, 'w')}, "is not a station name"},
        {{"list", "--station", "@" + badHosts}, "'..\\..\\x' is not a station name"},
        {{"list", "--start-remote-registry", "--start-remote-registry"},
         "--start-remote-registry given twice"},
        {{"list", "--start-remote-registry=yes"}, "unknown option '--start-remote-registry'"},
        {{"restore-remote-registry", "--station", "ws01"}, "unknown option '--station'"},
    };
    for (const auto& [args, reason] : cases) {
        Console console([](const CliCommand&, const std::string&) { return StationReport{}; });
        EXPECT_EQ(console.Run(args), 2) << reason;
        EXPECT_EQ(console.out, "") << reason;
        const std::string firstLine = console.err.substr(0, console.err.find("\r\n"));
        EXPECT_NE(firstLine.find(reason), std::string::npos) << console.err;
        EXPECT_NE(console.err.find("\r\nusage:\r\n"), std::string::npos) << reason;
    }
    std::filesystem::remove(hosts);
    std::filesystem::remove(badHosts);
    const std::vector<std::string> names{".", "10.0.0.1", "ws-01_a.corp.example", std::string(255, 'w')};
    std::vector<std::string> args{"list"};
    for (const std::string& name : names)
        args.insert(args.end(), {"--station", name});
    EXPECT_EQ(ParseCommandLine(args).stations, names);

    Console help;
    EXPECT_EQ(help.Run({"list", "--help"}), 0);
    EXPECT_TRUE(help.out.starts_with("usage:")) << help.out;
    EXPECT_EQ(help.err, "");
}

TEST(TellurincStations, StationFileAndOptionsReachEveryStation) {
    const std::string hosts = "C:\\tellurinc_hosts_" + std::to_string(GetCurrentProcessId()) + ".txt";
    std::ofstream(hosts, std::ios::binary) << "\xEF\xBB\xBF"
                                              "ws01\r\n# retired: ws02\n\n  ws03  \nws04\nWS01";
    std::vector<std::string> worked;
    std::mutex mutex;
    Console console([&](const CliCommand& command, const std::string& station) {
        std::lock_guard lock(mutex);
        worked.push_back(station + ":" + *command.location);
        StationReport report;
        report.rows.push_back(StartupEntry::Enabled("n", "p", *command.location));
        report.status = "1 entry";
        return report;
    });
    // A station named twice (here "ws01" and "WS01") is worked once: two workers would race on its store.
    EXPECT_EQ(console.Run({"list", "--station", "ws00", "--station=@" + hosts, "--location", "hkcu_RUN",
                           "--format", "csv"}),
              0);
    std::filesystem::remove(hosts);
    std::sort(worked.begin(), worked.end());
    EXPECT_EQ(worked,
              (std::vector<std::string>{"ws00:HKCU_Run", "ws01:HKCU_Run", "ws03:HKCU_Run", "ws04:HKCU_Run"}));
    // Rows in the order the stations were named, whatever order they answered in.
    EXPECT_EQ(
        console.out,
        "station,location,name,command,status\r\nws00,HKCU_Run,n,p,Enabled\r\nws01,HKCU_Run,n,p,Enabled\r\n"
        "ws03,HKCU_Run,n,p,Enabled\r\nws04,HKCU_Run,n,p,Enabled\r\n");
}

// 64 stations at --parallel 16, 8 of which never answer: the others are not held up, and the run
// ends after about one deadline.
TEST(TellurincStations, StationsThatNeverAnswerTimeOutWithoutHoldingUpTheOthers) {
    Console console([](const CliCommand&, const std::string& station) {
        if (station.starts_with("dead"))
            Sleep(INFINITE);
        Sleep(50);
        StationReport report;
        report.rows.push_back(StartupEntry::Enabled("Pager", "pager.exe", "HKLM_Run"));
        report.status = "1 entry";
        return report;
    });
    std::vector<std::string> args{"list", "--format", "json", "--timeout", "2", "--parallel", "16"};
    for (int i = 0; i < 64; ++i) {
        // The silent ones come first, so that they hold slots from the start.
        const std::string name = i < 8 ? "dead" + std::to_string(i) : "ws" + std::to_string(i);
        args.insert(args.end(), {"--station", name});
    }
    const auto start = std::chrono::steady_clock::now();
    const CliOutcome outcome = RunTellurinc(args, console.environment);
    const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    EXPECT_EQ(outcome.exitStatus, 1);
    EXPECT_TRUE(outcome.threadsLeft);
    EXPECT_LT(seconds, 4.0);
    size_t listed = 0;
    for (size_t at = console.out.find("\"station\": \"ws"); at != std::string::npos;
         at = console.out.find("\"station\": \"ws", at + 1))
        ++listed;
    EXPECT_EQ(listed, 56u);
    EXPECT_EQ(console.out.find("dead"), std::string::npos);
    for (int i = 0; i < 8; ++i)
        EXPECT_NE(console.err.find("dead" + std::to_string(i) + ": timed out"), std::string::npos);
    EXPECT_NE(console.err.find("ws63: 1 entry\r\n"), std::string::npos);
}

// The real logic on this computer, with the store's path taken by a folder: nothing may change.
TEST(TellurincActions, ARefusedActionChangesNothingAndFailsTheStation) {
    KeySnapshot run(HKEY_CURRENT_USER, kRunPath);
    SetTextValue(HKEY_CURRENT_USER, kRunPath, "CliPager", "C:\\Tools\\pager.exe");
    const std::string appDir = "C:\\tellurinc_app_" + std::to_string(GetCurrentProcessId());
    std::filesystem::create_directories(appDir + "\\HERE_reg_disabled.ini");
    const LocalMachine local{"HERE", appDir, &FaultyRegistryApi()};
    Console console([local](const CliCommand& command, const std::string& station) {
        return WorkStation(command, station, local);
    });

    EXPECT_EQ(console.Run({"disable", "--location", "HKCU_Run", "--name", "clipager"}), 1);
    EXPECT_NE(console.err.find("HERE: Cannot"), std::string::npos) << console.err;
    EXPECT_EQ(GetRawValue(HKEY_CURRENT_USER, kRunPath, "CliPager").exists, true);

    // The registry refuses to delete the value: the record written before it goes is taken back.
    std::filesystem::remove_all(appDir + "\\HERE_reg_disabled.ini");
    std::filesystem::create_directories(appDir);
    ScopedFaults faults;
    faults.Fail(RegCall::DeleteValue, "CliPager");
    console.err.clear();
    EXPECT_EQ(console.Run({"disable", "--location", "HKCU_Run", "--name", "CliPager"}), 1);
    EXPECT_EQ(console.err, "HERE: [HKCU_Run]:     - Could NOT delete from registry !\r\n");
    EXPECT_EQ(GetRawValue(HKEY_CURRENT_USER, kRunPath, "CliPager").exists, true);
    EXPECT_FALSE(std::filesystem::exists(appDir + "\\HERE_reg_disabled.ini"));

    console.err.clear();
    EXPECT_EQ(console.Run({"enable", "--location", "HKCU_Run", "--name", "CliPager"}), 1);
    EXPECT_EQ(console.err, "HERE: [HKCU_Run]:     - there is NO disabled entry 'CliPager' !\r\n");
    EXPECT_EQ(console.out, "");
    std::filesystem::remove_all(appDir);
}

// Another Tellurin removes the key's first value just after this listing read it: the values after it
// move up by one, and the one right after it is never read.
std::atomic<bool> removeAfterFirstRead{false};
LONG WINAPI EnumValueWhileAnotherRemoves(HKEY key,
                                         DWORD index,
                                         LPSTR name,
                                         LPDWORD nameSize,
                                         LPDWORD reserved,
                                         LPDWORD type,
                                         LPBYTE data,
                                         LPDWORD dataSize) {
    const LONG result = RegEnumValueA(key, index, name, nameSize, reserved, type, data, dataSize);
    if (result == ERROR_SUCCESS && index == 0 && removeAfterFirstRead.exchange(false))
        RegDeleteValueA(key, name);
    return result;
}

TEST(TellurincActions, ARowHiddenByAnotherTellurinsRemovalIsStillFound) {
    KeySnapshot run(HKEY_CURRENT_USER, kRunPath);
    DeleteKeyTree(HKEY_CURRENT_USER, kRunPath);
    for (const char* name : {"CliA", "CliB", "CliC"})
        SetTextValue(HKEY_CURRENT_USER, kRunPath, name, std::string("C:\\Tools\\") + name + ".exe");
    RegistryApi api = RealRegistryApi();
    api.enumValue = EnumValueWhileAnotherRemoves;
    const std::string appDir = "C:\\tellurinc_hidden_" + std::to_string(GetCurrentProcessId());
    std::filesystem::create_directories(appDir);
    const LocalMachine local{"HERE", appDir, &api};
    Console console([local](const CliCommand& command, const std::string& station) {
        return WorkStation(command, station, local);
    });

    removeAfterFirstRead = true;
    EXPECT_EQ(console.Run({"remove", "--location", "HKCU_Run", "--name", "CliB"}), 0) << console.err;
    EXPECT_FALSE(GetRawValue(HKEY_CURRENT_USER, kRunPath, "CliB").exists);
    EXPECT_TRUE(GetRawValue(HKEY_CURRENT_USER, kRunPath, "CliC").exists);
    EXPECT_TRUE(std::filesystem::is_empty(appDir));  // nor a lock left
    std::filesystem::remove_all(appDir);
}

}  // namespace

TEST(TellurincTable, ColumnsStayAlignedAfterWideAndCyrillicNames) {
    // "同步" takes four console columns, "Почта" five: the next column must start at one place.
    const std::vector<ListedRow> rows{
        {"PC", "HKLM_Run", "\xE5\x90\x8C\xE6\xAD\xA5", "C:\\a.exe", "Enabled"},
        {"PC", "HKLM_Run", "\xD0\x9F\xD0\xBE\xD1\x87\xD1\x82\xD0\xB0", "C:\\b.exe", "Enabled"},
        {"PC", "HKLM_Run", "Pager", "C:\\c.exe", "Enabled"}};
    const std::string table = FormatRows(rows, OutputFormat::Table);
    std::vector<size_t> commandColumns;
    for (size_t start = table.find("\r\n") + 2; start < table.size(); start = table.find("\r\n", start) + 2)
        commandColumns.push_back(DisplayWidth(table.substr(start, table.find("C:\\", start) - start)));
    ASSERT_EQ(commandColumns.size(), 3u);
    EXPECT_EQ(commandColumns[0], commandColumns[1]);
    EXPECT_EQ(commandColumns[1], commandColumns[2]);
}
