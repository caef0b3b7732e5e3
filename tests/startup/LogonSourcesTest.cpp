// What else starts at log-on: scheduled tasks with a log-on or boot trigger, packaged apps' startup
// tasks, and the Winlogon and Windows values when they differ from Windows' default.
#include "StartupTestSupport.h"
#include "LogonTasks.h"
#include "ProgramFile.h"
#include "StartupMessages.h"
#include "TextCodec.h"
#include "XmlTree.h"

namespace {

using Lines = std::vector<std::string>;

const std::string kBob = "S-1-5-21-4-4-4-1001";
const std::string kProfileList = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList\\";
const std::string kAppModel =
    "Local Settings\\Software\\Microsoft\\Windows\\CurrentVersion\\AppModel\\SystemAppData";
const std::string kOwnAppModel = "Software\\Classes\\" + kAppModel;
const std::string kWinlogon = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
const std::string kWindows = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Windows";

// A task definition as Task Scheduler writes it: UTF-16 with a byte-order mark, CR LF lines.
std::string TaskFile(const std::string& triggers, const std::string& actions, bool enabled = true) {
    const std::string xml =
        "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n"
        "<Task version=\"1.2\" xmlns=\"http://schemas.microsoft.com/windows/2004/02/mit/task\">\r\n"
        "  <RegistrationInfo>\r\n    <Author>CONTOSO\\admin</Author>\r\n  </RegistrationInfo>\r\n"
        "  <Triggers>\r\n" +
        triggers +
        "  </Triggers>\r\n"
        "  <Settings>\r\n    <MultipleInstancesPolicy>IgnoreNew</MultipleInstancesPolicy>\r\n"
        "    <Enabled>" +
        (enabled ? "true" : "false") +
        "</Enabled>\r\n  </Settings>\r\n"
        "  <Actions Context=\"Author\">\r\n" +
        actions + "  </Actions>\r\n</Task>\r\n";
    const std::wstring wide = ToWide(xml, CP_UTF8);
    return std::string("\xFF\xFE", 2) +
           std::string(reinterpret_cast<const char*>(wide.data()), wide.size() * 2);
}

const std::string kLogon = "    <LogonTrigger>\r\n      <Enabled>true</Enabled>\r\n    </LogonTrigger>\r\n";
const std::string kExec =
    "    <Exec>\r\n      <Command>%ProgramFiles%\\Contoso\\update.exe</Command>\r\n"
    "      <Arguments>/silent &amp; /quick</Arguments>\r\n    </Exec>\r\n";

// Records what the window would ask of Task Scheduler.
struct RecordingTasks {
    Lines calls;
    long answer = 0;
    TaskSchedulerApi api{[this](const std::string& station, const std::string& path, bool enabled) {
        calls.push_back(station + "|" + path + "|" + (enabled ? "on" : "off"));
        return answer;
    }};
};

class LogonSourcesTest : public StartupListTest {
protected:
    LogonSourcesTest() {
        SetTextValue(HKEY_LOCAL_MACHINE, kProfileList + kBob, "ProfileImagePath", "%SystemDrive%\\users\\bob",
                     REG_EXPAND_SZ);
        list.Book().SetTaskScheduler(tasks.api);
        char windows[MAX_PATH] = "";
        GetWindowsDirectoryA(windows, MAX_PATH);
        CreateDirectoryA((std::string(windows) + "\\System32\\Tasks").c_str(), nullptr);
        taskFolder =
            std::make_unique<ScratchFolder>(std::string(windows) + "\\System32\\Tasks\\" + folderName);
    }
    ~LogonSourcesTest() override {
        for (const std::string& hive : {kBob, kBob + "_Classes"})
            DeleteKeyTree(HKEY_USERS, hive);
        DeleteKeyTree(HKEY_LOCAL_MACHINE, kProfileList + kBob);
        DeleteKeyTree(HKEY_CURRENT_USER, kOwnAppModel + "\\TellurinTest_1a2b");
    }
    void SetAppState(HKEY root, const std::string& path, const std::string& task, DWORD state) {
        SetRawValue(root, path + "\\TellurinTest_1a2b\\" + task, "State", REG_DWORD, &state, sizeof state);
    }
    DWORD AppState(const std::string& task) {
        return *reinterpret_cast<const DWORD*>(
            GetRawValue(HKEY_CURRENT_USER, kOwnAppModel + "\\TellurinTest_1a2b\\" + task, "State")
                .data.data());
    }

    RecordingTasks tasks;
    const std::string folderName = UniqueName("Contoso");
    std::unique_ptr<ScratchFolder> taskFolder;
    KeySnapshot winlogon{HKEY_LOCAL_MACHINE, kWinlogon};
    KeySnapshot userWinlogon{HKEY_CURRENT_USER, kWinlogon}, userWindows{HKEY_CURRENT_USER, kWindows};
};

TEST_F(LogonSourcesTest, LogOnAndBootTasksAreListedWithTheirStateAndOthersAreNot) {
    const std::string folder = taskFolder->Path() + "\\";
    CreateDirectoryA((folder + "Agents").c_str(), nullptr);
    WriteBytes(folder + "Agents\\Updater", TaskFile(kLogon, kExec));
    WriteBytes(folder + "Nightly",
               TaskFile("    <TimeTrigger>\r\n      <StartBoundary>2026-01-01T03:00:00</StartBoundary>"
                        "\r\n    </TimeTrigger>\r\n",
                        kExec));
    WriteBytes(folder + "Off", TaskFile(kLogon, kExec, false));
    WriteBytes(
        folder + "TriggerOff",
        TaskFile("    <LogonTrigger>\r\n      <Enabled>false</Enabled>\r\n    </LogonTrigger>\r\n", kExec));
    WriteBytes(folder + "Shell",
               TaskFile("    <BootTrigger />\r\n",
                        "    <ComHandler>\r\n      <ClassId>{0F87369F-A4E5-4CFC-BD3E-73E6154572DD}"
                        "</ClassId>\r\n    </ComHandler>\r\n"));
    WriteBytes(folder + "Broken", "<?xml version=\"1.0\"?><Task><Triggers><LogonTrigger></Task>");
    WriteBytes(folder + "Other", "<Job><Triggers><LogonTrigger/></Triggers></Job>");

    list.SelectLocation("Tasks");
    const std::string at = "\\" + folderName + "\\";
    const std::string command = "%ProgramFiles%\\Contoso\\update.exe /silent & /quick";
    EXPECT_EQ(view.Lines(), (Lines{at + "Agents\\Updater|" + command + "|Task|Enabled|1",
                                   at + "Off|" + command + "|Task|Disabled|0",
                                   at + "Shell|{0F87369F-A4E5-4CFC-BD3E-73E6154572DD}|Task|Enabled|1",
                                   at + "TriggerOff|" + command + "|Task|Disabled|0"}));
    EXPECT_EQ(view.countLabel, "[Tasks] = 2 apps will start with windows.");
    EXPECT_EQ(notifier.events, Lines{"sound press"});  // skipped files are notes, not failures

    StartupPage page;
    list.Book().ReadView("Tasks", page);
    EXPECT_EQ(page.notes.size(), 2u);
    // --details finds a task's program file from its command, as it does a registry row's.
    const ProgramFileFinder finder(list.Book().CurrentStation(), RealRegistryApi());
    EXPECT_EQ(finder.Of(view.rows[0]).path, "C:\\Program Files\\Contoso\\update.exe");

    // Disable and Enable go to Task Scheduler, naming the task as it does; nothing is recorded.
    ASSERT_TRUE(list.DisableApp1Click(view.rows[0]).IsDone());
    ASSERT_TRUE(list.EnableApp1Click(view.rows[1]).IsDone());
    EXPECT_EQ(tasks.calls, (Lines{"|" + at + "Agents\\Updater|off", "|" + at + "Off|on"}));
    EXPECT_FALSE(PathExists(StorePath()));
    EXPECT_FALSE(list.RemoveApp1Click(view.rows[0]).IsDone());
    EXPECT_TRUE(PathExists(folder + "Agents\\Updater"));

    // Another station's Task Scheduler is the one asked, and its refusal is reported.
    tasks.answer = static_cast<long>(E_ACCESSDENIED);
    list.Book().SetStation(Station("PC-07", appDir.Path() + "\\"));
    EXPECT_EQ(list.Book().DisableEntry(view.rows[0], "Tasks").kind(), Outcome::Kind::Failed);
    EXPECT_EQ(tasks.calls.back(), "PC-07|" + at + "Agents\\Updater|off");
}

TEST_F(LogonSourcesTest, ATaskFileThatIsNoTaskDefinitionIsRefusedNeverReadPastItsEnd) {
    EXPECT_FALSE(ReadLogonTask(TaskFile("    <TimeTrigger />\r\n", kExec), "\\T"));
    for (const std::string& bad :
         {std::string("<Task>"), std::string("<Task><A></B></Task>"), std::string("<Task>&bogus;</Task>"),
          std::string(5000, '<'), std::string("\xFF\xFE<", 3)})
        EXPECT_THROW(ReadLogonTask(bad, "\\T"), EXmlError) << bad.substr(0, 20);
    std::string deep;
    for (int level = 0; level < 1000; ++level)
        deep += "<a>";
    EXPECT_THROW(ParseXml(deep), EXmlError);
}

TEST_F(LogonSourcesTest, PackagedAppsShowTheirStatesAndSwitchLikeTaskManager) {
    for (const auto& [task, state] : {std::pair<const char*, DWORD>{"Off", 0},
                                      {"OffByUser", 1},
                                      {"On", 2},
                                      {"OffByPolicy", 3},
                                      {"OnByPolicy", 4}})
        SetAppState(HKEY_CURRENT_USER, kOwnAppModel, task, state);
    SetTextValue(HKEY_CURRENT_USER, kOwnAppModel + "\\TellurinTest_1a2b\\Schemas", "PackageFullName", "x");
    SetAppState(HKEY_USERS, kBob + "_Classes\\" + kAppModel, "Chat", 2);
    SetTextValue(HKEY_USERS, kBob + "\\Volatile Environment", "USERNAME", "bob");  // bob is logged on

    list.SelectLocation("Apps");
    const std::string family = "TellurinTest_1a2b";
    EXPECT_EQ(view.Lines(), (Lines{"TellurinTest Chat|" + family + "|bob\\App|Enabled|1",
                                   "TellurinTest Off|" + family + "|App|Disabled|0",
                                   "TellurinTest OffByPolicy|" + family + "|App|Disabled|0",
                                   "TellurinTest OffByUser|" + family + "|App|Disabled|0",
                                   "TellurinTest On|" + family + "|App|Enabled|1",
                                   "TellurinTest OnByPolicy|" + family + "|App|Enabled|1"}));
    EXPECT_EQ(view.rows[2].hold, EntryHold::Policy);
    EXPECT_EQ(ProgramFileFinder(Station(), RealRegistryApi()).Of(view.rows[0]).path,
              "");  // no file of its own
    EXPECT_EQ(view.rows[3].hold, EntryHold::None);

    ASSERT_TRUE(list.DisableApp1Click(view.rows[4]).IsDone());
    EXPECT_EQ(AppState("On"), 1u);
    ASSERT_TRUE(list.EnableApp1Click(view.rows[1]).IsDone());
    EXPECT_EQ(AppState("Off"), 2u);
    EXPECT_EQ(list.Book().DisableEntry(view.rows[5], "Apps").Text(), AtLocation("App", kSetByPolicy));
    EXPECT_EQ(AppState("OnByPolicy"), 4u);
    EXPECT_FALSE(list.Book().RemoveEntry(view.rows[4]).IsDone());
    EXPECT_FALSE(PathExists(StorePath()));
}

TEST_F(LogonSourcesTest, WinlogonValuesShowOnlyWhenTheyAreNotTheDefaultAndStayUnchanged) {
    SetTextValue(HKEY_LOCAL_MACHINE, kWinlogon, "Userinit", "C:\\WINDOWS\\system32\\userinit.exe,");
    SetTextValue(HKEY_LOCAL_MACHINE, kWinlogon, "Shell", "Explorer.exe");
    SetTextValue(HKEY_CURRENT_USER, kWindows, "Load", "");
    list.SelectLocation("HKLM_Run");
    EXPECT_TRUE(view.rows.empty());

    SetTextValue(HKEY_LOCAL_MACHINE, kWinlogon, "Userinit",
                 "C:\\Windows\\system32\\userinit.exe,C:\\x\\hook.exe");
    SetTextValue(HKEY_CURRENT_USER, kWinlogon, "Shell", "kiosk.exe");
    SetTextValue(HKEY_CURRENT_USER, kWindows, "Run", "C:\\x\\load.exe");
    list.SelectLocation("HKLM_Run");
    EXPECT_EQ(view.Lines(),
              Lines{"Userinit|C:\\Windows\\system32\\userinit.exe,C:\\x\\hook.exe|HKLM_Winlogon|Enabled|1"});
    list.SelectLocation("HKCU_Run");
    EXPECT_EQ(view.Lines(), (Lines{"Run|C:\\x\\load.exe|HKCU_Windows|Enabled|1",
                                   "Shell|kiosk.exe|HKCU_Winlogon|Enabled|1"}));
    EXPECT_EQ(list.Book().DisableEntry(view.rows[1], "HKCU_Run").Text(),
              AtLocation("HKCU_Winlogon", kChangedWithRegistryEditor));
    EXPECT_EQ(list.Book().RemoveEntry(view.rows[0]).Text(),
              AtLocation("HKCU_Windows", kChangedWithRegistryEditor));
    const std::vector<BYTE> shell = GetRawValue(HKEY_CURRENT_USER, kWinlogon, "Shell").data;
    EXPECT_EQ(std::string(shell.begin(), shell.end()), std::string("kiosk.exe", 10));
    EXPECT_FALSE(PathExists(StorePath()));
}

}  // namespace
