// The program file of a command on another station, simulated: its drive C: a scratch folder, its
// HKEY_LOCAL_MACHINE a key of this computer's HKEY_CURRENT_USER.
#include <windows.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "ComApartment.h"
#include "ProgramFacts.h"
#include "ProgramFile.h"
#include "ShellLink.h"
#include "StartupTestSupport.h"
#include "UniqueHandle.h"

namespace {

const std::string kMachine = "Software\\TellurinProgramFileStation";

LONG WINAPI ConnectSimulated(LPCSTR, HKEY root, PHKEY result) {
    if (root != HKEY_LOCAL_MACHINE)
        return ERROR_INVALID_HANDLE;
    return RegCreateKeyExA(HKEY_CURRENT_USER, kMachine.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                           result, nullptr);
}

const RegistryApi& SimulatedApi() {
    static const RegistryApi api = [] {
        RegistryApi simulated = RealRegistryApi();
        simulated.connectRegistry = ConnectSimulated;
        return simulated;
    }();
    return api;
}

void SetMachineText(const std::string& key,
                    const std::string& name,
                    const std::string& text,
                    DWORD kind = REG_SZ) {
    HKEY opened = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, (kMachine + "\\" + key).c_str(), 0, nullptr, 0,
                              KEY_SET_VALUE, nullptr, &opened, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(opened, name.c_str(), 0, kind, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
    RegCloseKey(opened);
}

class ProgramFileTest : public ::testing::Test {
protected:
    ProgramFileTest() {
        RegDeleteTreeA(HKEY_CURRENT_USER, kMachine.c_str());
        SetMachineText("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "SystemRoot", "C:\\Windows");
        SetMachineText("SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir",
                       "%SystemDrive%\\Program Files", REG_EXPAND_SZ);
        SetMachineText("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\viaapp.exe", "",
                       "\"%ProgramFiles%\\Apps\\via app.exe\"", REG_EXPAND_SZ);
        for (const char* file :
             {"Windows\\System32\\notepad.exe", "Windows\\System32\\shell32.dll",
              "Windows\\SysWOW64\\wow.exe", "Windows\\regedit.exe", "Program Files\\My App\\app.exe",
              "Program Files\\My App\\helper.dll", "Program Files\\Apps\\via app.exe"})
            Create(file);
    }
    ~ProgramFileTest() override { RegDeleteTreeA(HKEY_CURRENT_USER, kMachine.c_str()); }

    void Create(const std::string& file) {
        const std::string path = drive.Path() + "\\" + file;
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        WriteBytes(path, "MZ");
    }

    ScratchFolder drive{"C:\\" + UniqueName("tellurin_station_c")};
    Station station{"ws07", drive.Path() + "\\"};
    ProgramFileFinder Finder() const { return ProgramFileFinder(station, SimulatedApi()); }
};

TEST_F(ProgramFileTest, CommandsResolveAsWindowsStartsThem) {
    const struct {
        const char* command;
        bool view32;
        const char* file;
    } cases[] = {
        {"\"C:\\Program Files\\My App\\app.exe\" -x", false, "C:\\Program Files\\My App\\app.exe"},
        {"  \"C:\\Program Files\\My App\\app\"", false, "C:\\Program Files\\My App\\app.exe"},
        {"C:\\Program Files\\My App\\app.exe -x", false, "C:\\Program Files\\My App\\app.exe"},
        {"C:\\Program Files\\My App\\app -x", false, "C:\\Program Files\\My App\\app.exe"},
        {"C:\\Tools\\gone.exe /s", false, "C:\\Tools\\gone.exe"},
        // None exists: the longest cut that names a program, else the first token.
        {"C:\\Program Files\\Gone\\x.exe", false, "C:\\Program Files\\Gone\\x.exe"},
        {"C:\\Program Files\\Compliance\\agent.exe /s", false, "C:\\Program Files\\Compliance\\agent.exe"},
        {"C:\\Program Files\\Amazon.com Agent\\run.CMD now", false,
         "C:\\Program Files\\Amazon.com Agent\\run.CMD"},
        {"C:\\Program Files\\Gone\\x /s", false, "C:\\Program.exe"},
        {"%ProgramFiles%\\My App\\app.exe", false, "C:\\Program Files\\My App\\app.exe"},
        {"%SYSTEMROOT%\\regedit.exe", false, "C:\\Windows\\regedit.exe"},
        {"%Nobody%\\x.exe", false, "%Nobody%\\x.exe"},
        {"notepad /p", false, "C:\\Windows\\System32\\notepad.exe"},
        {"wow", true, "C:\\Windows\\SysWOW64\\wow.exe"},
        {"wow", false, "wow.exe"},  // not found: stays a bare name
        {"regedit", false, "C:\\Windows\\regedit.exe"},
        {"viaapp -q", false, "C:\\Program Files\\Apps\\via app.exe"},
        {"rundll32.exe shell32.dll,Control_RunDLL", false, "C:\\Windows\\System32\\shell32.dll"},
        {"RUNDLL32 \"C:\\Program Files\\My App\\helper.dll\",Entry 1", false,
         "C:\\Program Files\\My App\\helper.dll"},
        {"C:\\Windows\\System32\\rundll32.exe shell32,Control_RunDLL", false,
         "C:\\Windows\\System32\\shell32.dll"},
        {"rundll32 C:\\Program Files\\My App\\helper.dll,Entry", false,
         "C:\\Program Files\\My App\\helper.dll"},
        {"  ", false, ""},
    };
    const ProgramFileFinder finder = Finder();
    for (const auto& c : cases)
        EXPECT_EQ(finder.OfCommand(c.command, c.view32).path, c.file) << c.command;

    const ProgramFile app = finder.OfCommand("notepad", false);
    EXPECT_EQ(app.reachable, drive.Path() + "\\Windows\\System32\\notepad.exe");
    EXPECT_EQ(finder.Reachable("D:\\Data\\x.exe"), "");  // a folder as drive C: has no other drives
    const Station share("ws08", "\\\\ws08\\C$\\");
    EXPECT_EQ(ProgramFileFinder(share, SimulatedApi()).Reachable("d:\\Data\\x.exe"),
              "\\\\ws08\\D$\\Data\\x.exe");
}

TEST_F(ProgramFileTest, AStartupRowsFileIsItsShortcutsTargetAndFactsAreKeptPerFile) {
    ComApartment com;
    // The shortcut names the file as the station does; it is read through the station's drive.
    CreateShortcut("C:\\Program Files\\My App\\app.exe", drive.Path(), "app");
    const StartupEntry row = StartupEntry::Enabled("app.lnk", drive.Path() + "\\app.lnk", "alice\\Startup");
    EXPECT_EQ(Finder().Of(row).path, "C:\\Program Files\\My App\\app.exe");

    // The second row naming the file gets what the first read, though the file changed since.
    ProgramFacts facts(station, SimulatedApi(), true);
    const EntryProgram first = facts.Of(StartupEntry::Enabled("A", "notepad.exe /a", "HKLM_Run"));
    EXPECT_TRUE(first.facts.exists);
    WriteBytes(drive.Path() + "\\Windows\\System32\\notepad.exe", "MZ changed");
    EXPECT_EQ(
        facts.Of(StartupEntry::Enabled("B", "%windir%\\system32\\NOTEPAD.EXE", "HKLM_Run")).facts.sha256,
        first.facts.sha256);
    EXPECT_NE(ProgramFacts(station, SimulatedApi(), true).Of(row).facts.sha256, "");
    EXPECT_NE(ProgramFacts(station, SimulatedApi(), true)
                  .Of(StartupEntry::Enabled("A", "notepad", "HKLM_Run"))
                  .facts.sha256,
              first.facts.sha256);
    EXPECT_EQ(facts.FirstUnreadable(), "");

    // A station whose drive does not answer: its files are not tried, and that is said once.
    const Station down("ws09", drive.Path() + "\\unshared\\");
    ProgramFacts unread(down, SimulatedApi(), false);
    EXPECT_TRUE(unread.Of(StartupEntry::Enabled("A", "notepad.exe", "HKLM_Run")).facts.unreadable);
    EXPECT_EQ(unread.FirstUnreadable(), down.FileRoot());
}

// An empty file made through the ANSI call, which speaks the test's code page, UTF-8.
void CreateEmptyFile(const std::string& path) {
    const UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    ASSERT_TRUE(file) << path;
}

// This computer: folders in three scripts, where UTF-8 takes more bytes than there are characters.
// Their commands are expanded, cut and looked up like any other, and give found, missing and unread.
TEST(LocalProgramFileTest, PathsInOtherScriptsGiveTheirRowsLikeAnyOther) {
    const ScratchFolder root{"C:\\" + UniqueName("tellurin_programs")};
    ASSERT_TRUE(SetEnvironmentVariableA("TELLURIN_PROGRAMS", root.Path().c_str()));
    ProgramFacts facts(Station(), RealRegistryApi(), false);
    auto of = [&](const std::string& command) {
        return facts.Of(StartupEntry::Enabled("A", command, "HKCU_Run"));
    };
    for (const std::string folder : {"Café Tools", "Мои программы", "程序 文件"}) {
        const std::string dir = root.Path() + "\\" + folder;
        ASSERT_TRUE(CreateDirectoryA(dir.c_str(), nullptr)) << folder;
        CreateEmptyFile(dir + "\\app.exe");
        for (const std::string& command : {"\"" + dir + "\\app.exe\" /min", dir + "\\app.exe /min",
                                           "%TELLURIN_PROGRAMS%\\" + folder + "\\app"}) {
            const EntryProgram found = of(command);
            EXPECT_EQ(found.file.path, dir + "\\app.exe") << command;
            EXPECT_TRUE(found.facts.exists && !found.facts.unreadable) << command;
        }
        for (const std::string& command : {"\"" + dir + "\\gone.exe\" /min", dir + "\\gone.exe /min"}) {
            const EntryProgram missing = of(command);
            EXPECT_EQ(missing.file.path, dir + "\\gone.exe") << command;
            EXPECT_FALSE(missing.facts.exists || missing.facts.unreadable) << command;
        }
    }
    const EntryProgram unread = of("\\\\nosuchhost\\share\\程序 文件\\app.exe /min");
    EXPECT_EQ(unread.file.path, "\\\\nosuchhost\\share\\程序 文件\\app.exe");
    EXPECT_TRUE(unread.facts.unreadable);
    EXPECT_EQ(facts.FirstUnreadable(), unread.file.path);
    SetEnvironmentVariableA("TELLURIN_PROGRAMS", nullptr);
}

// A file at C:\Program.exe is what Windows runs for an unquoted "C:\Program Files\..." command, so
// that is the row's program; without it, the file the command names.
TEST(LocalProgramFileTest, APlantedProgramExeIsWhatRuns) {
    const std::string planted = "C:\\Program.exe";
    ASSERT_FALSE(PathExists(planted)) << "a file was left at " << planted;
    const ProgramFileFinder finder(Station(), RealRegistryApi());
    const char* command = "C:\\Program Files\\Compliance\\agent.exe /s";
    EXPECT_EQ(finder.OfCommand(command, false).path, "C:\\Program Files\\Compliance\\agent.exe");
    const FileRemover removed{planted};
    CreateEmptyFile(planted);
    EXPECT_EQ(finder.OfCommand(command, false).path, planted);
}

}  // namespace
