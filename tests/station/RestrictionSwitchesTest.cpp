// The local switches against Wine's registry: numbers written, reading rule, colours, Check All.
#include <gtest/gtest.h>

#include "RestrictionSwitches.h"
#include "support/FaultyRegistryApi.h"
#include "support/RecordingNotifier.h"
#include "FakeStationView.h"
#include "StationTestSupport.h"

namespace {

const std::string kSystem = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
const std::string kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
const std::string kAdvanced = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
const std::string kCommand = "Software\\Policies\\Microsoft\\Windows\\System";
const std::string kCleanup = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Desktop\\CleanupWiz";
const std::string kReporting = "SOFTWARE\\Microsoft\\PCHealth\\ErrorReporting";
const HKEY kUser = HKEY_CURRENT_USER;

// What ShowDesktopIcons asked user32 for.
struct DesktopCalls {
    std::string findClass;
    bool findTitleNull = false;
    HWND childOf = nullptr;
    UINT childCommand = 0;
    std::vector<int> shows;
} desktopCalls;
const HWND kProgman = reinterpret_cast<HWND>(0x1234);
const HWND kIcons = reinterpret_cast<HWND>(0x5678);

HWND WINAPI FindDesktop(LPCSTR className, LPCSTR title) {
    desktopCalls.findClass = className;
    desktopCalls.findTitleNull = title == nullptr;
    return kProgman;
}
HWND WINAPI FirstChild(HWND window, UINT command) {
    desktopCalls.childOf = window;
    desktopCalls.childCommand = command;
    return kIcons;
}
BOOL WINAPI Show(HWND window, int command) {
    if (window == kIcons)
        desktopCalls.shows.push_back(command);
    return TRUE;
}
const DesktopApi kFakeDesktop{FindDesktop, FirstChild, Show};

// An oracle independent of the switch table: each handler, its key, values and numbers.
struct Binding {
    void (RestrictionSwitches::*click)(bool);
    SwitchBox box;
    HKEY root;
    std::string key;
    std::vector<std::string> values;
    DWORD checked;
    DWORD unchecked;
};
using RS = RestrictionSwitches;
using B = SwitchBox;
const HKEY kMachine = HKEY_LOCAL_MACHINE;
// clang-format off
const std::vector<Binding> kBindings = {
    {&RS::CB_01_TaskManagerClick, B::CB_01_TaskManager,
     kUser, kSystem, {"DisableTaskMgr"}, 0, 1},
    {&RS::CB_02_RegeditClick, B::CB_02_Regedit,
     kUser, kSystem, {"DisableRegistryTools"}, 0, 1},
    {&RS::CB_03_FolderOptionsClick, B::CB_03_FolderOptions,
     kUser, kExplorer, {"NoFolderOptions"}, 0, 1},
    {&RS::CB_04_HiddenFilesAndFoldersClick, B::CB_04_HiddenFilesAndFolders,
     kUser, kAdvanced, {"Hidden"}, 1, 2},
    {&RS::CB_05_RunCommandClick, B::CB_05_RunCommand,
     kUser, kExplorer, {"NoRun"}, 0, 1},
    {&RS::CB_06_CMDPromptClick, B::CB_06_CMDPrompt,
     kUser, kCommand, {"DisableCMD"}, 0, 1},
    {&RS::CB_07_LogoffCommandClick, B::CB_07_LogoffCommand,
     kUser, kExplorer, {"NoChangeStartMenu", "NoLogOff"}, 0, 1},
    {&RS::CB_08_ShutdownCommandClick, B::CB_08_ShutdownCommand,
     kUser, kExplorer, {"NoChangeStartMenu", "NoClose"}, 0, 1},
    {&RS::CB_09_ControlPanelClick, B::CB_09_ControlPanel,
     kUser, kExplorer, {"NoControlPanel"}, 0, 1},
    {&RS::CB_11_FileExtensionsClick, B::CB_11_FileExtensions,
     kUser, kAdvanced, {"HideFileExt"}, 0, 1},
    {&RS::CB_12_TaskbarContextMenuClick, B::CB_12_TaskbarContextMenu,
     kUser, kExplorer, {"NoTrayContextMenu"}, 0, 1},
    {&RS::CB_E_01_DisableDontSendMessagesClick, B::CB_E_01_DisableDontSendMessages,
     kMachine, kReporting, {"DoReport"}, 0, 1},
    {&RS::CB_E_02_DisableLowDiskSpaceMessagesClick, B::CB_E_02_DisableLowDiskSpaceMessages,
     kUser, kExplorer, {"NoLowDiskSpaceChecks"}, 0, 1},
    {&RS::CB_E_03_DisableToolTipsClick, B::CB_E_03_DisableToolTips,
     kUser, kAdvanced, {"ShowInfoTip"}, 0, 1},
    {&RS::CB_E_04_DisableBalloonTipsClick, B::CB_E_04_DisableBalloonTips,
     kUser, kAdvanced, {"EnableBalloonTips"}, 0, 1},
    {&RS::CB_E_05_DisableDesktopCleanupWizardClick, B::CB_E_05_DisableDesktopCleanupWizard,
     kUser, kCleanup, {"NoRun"}, 1, 0},
};
// clang-format on

const std::pair<COLORREF, COLORREF> kCheckedColors{0xB35900, 0xFFFFFF};
const std::pair<COLORREF, COLORREF> kUncheckedColors{0xFFECD9, 0x000000};

class RestrictionSwitchesTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* key :
             {kSystem.c_str(), kExplorer.c_str(), kAdvanced.c_str(), kCommand.c_str(), kCleanup.c_str()})
            DeleteKeyTree(kUser, key);
        DeleteKeyTree(HKEY_LOCAL_MACHINE, kReporting);
        desktopCalls = {};
    }
    // The user's click: the mark toggles, then the handler runs with it.
    void UserClick(const Binding& binding, bool checked) {
        view_.SetSwitchMark(binding.box, checked);
        (switches_.*binding.click)(checked);
    }
    std::vector<std::string> NumbersOf(const Binding& binding) {
        std::vector<std::string> numbers;
        for (const std::string& value : binding.values) {
            auto number = StoredNumber(binding.root, binding.key, value);
            numbers.push_back(number ? std::to_string(*number) : "missing");
        }
        return numbers;
    }

    PathSnapshot system_{kUser, kSystem}, explorer_{kUser, kExplorer}, advanced_{kUser, kAdvanced},
        command_{kUser, kCommand}, cleanup_{kUser, kCleanup}, reporting_{HKEY_LOCAL_MACHINE, kReporting};
    ScopedFaults faults_;
    FakeStationView view_;
    RecordingNotifier notifier_;
    RestrictionSwitches switches_{view_, notifier_, FaultyRegistryApi(), kFakeDesktop};
};

TEST_F(RestrictionSwitchesTest, EachClickWritesItsNumbersPaintsAndReadsBack) {
    for (bool checked : {false, true}) {
        for (const Binding& binding : kBindings) {
            UserClick(binding, checked);
            const std::string number = std::to_string(checked ? binding.checked : binding.unchecked);
            EXPECT_EQ(NumbersOf(binding), std::vector<std::string>(binding.values.size(), number))
                << binding.values.back();
            EXPECT_EQ(view_.colors[binding.box], checked ? kCheckedColors : kUncheckedColors);
        }
        // The next showing reads back every mark that was stored.
        view_.marks.clear();
        switches_.LoadSwitchMarks();
        for (const Binding& binding : kBindings)
            EXPECT_EQ(view_.marks[binding.box], checked) << binding.values.back();
    }
    EXPECT_TRUE(notifier_.events.empty());
}

TEST_F(RestrictionSwitchesTest, ReadingRuleCountsOnlyOneAsDisabled) {
    EXPECT_FALSE(switches_.ReadSwitchState(kUser, "\\" + kSystem + "\\", "DisableTaskMgr"));  // no key
    const std::pair<DWORD, bool> cases[] = {{0, true}, {1, false}, {2, true}, {0xFFFFFFFF, true}};
    for (auto [stored, expected] : cases) {
        SetNumberValue(kUser, kSystem, "DisableTaskMgr", stored);
        EXPECT_EQ(switches_.ReadSwitchState(kUser, "\\" + kSystem + "\\", "DisableTaskMgr"), expected)
            << stored;
    }
    EXPECT_FALSE(switches_.ReadSwitchState(kUser, "\\" + kSystem + "\\", "Missing"));
    SetNumberValue(kUser, kSystem, "DisableTaskMgr", 0);
    faults_.Fail(RegCall::OpenKey, "Policies\\System");  // readable, but not with full access
    EXPECT_FALSE(switches_.ReadSwitchState(kUser, "\\" + kSystem + "\\", "DisableTaskMgr"));
}

TEST_F(RestrictionSwitchesTest, ShowingReadsEverythingBeforeMarkingAndLeavesUnreadBoxesAlone) {
    SetNumberValue(kUser, kSystem, "DisableTaskMgr", 2);
    SetNumberValue(HKEY_LOCAL_MACHINE, kReporting, "DoReport", 1);
    SetNumberValue(kUser, kCleanup, "NoRun", 0);
    view_.marks[SwitchBox::CB_10_DesktopIcons] = true;
    switches_.LoadSwitchMarks();
    EXPECT_TRUE(view_.marks[SwitchBox::CB_01_TaskManager]);
    EXPECT_TRUE(view_.marks[SwitchBox::CB_04_HiddenFilesAndFolders]);  // "Hidden" missing
    EXPECT_FALSE(view_.marks[SwitchBox::CB_E_01_DisableDontSendMessages]);
    EXPECT_FALSE(view_.marks[SwitchBox::CB_E_05_DisableDesktopCleanupWizard]);
    EXPECT_EQ(view_.colors[SwitchBox::CB_01_TaskManager], kCheckedColors);
    EXPECT_EQ(view_.colors[SwitchBox::CB_E_05_DisableDesktopCleanupWizard], kUncheckedColors);
    EXPECT_TRUE(view_.marks[SwitchBox::CB_10_DesktopIcons]);
    EXPECT_FALSE(view_.colors.contains(SwitchBox::CB_10_DesktopIcons));
    EXPECT_EQ(view_.log.size(), 2 * 16u);

    view_.log.clear();
    SetTextValue(kUser, kAdvanced, "ShowInfoTip", "x");
    EXPECT_EQ(ErrorOf([&] { switches_.LoadSwitchMarks(); }), "Invalid data type for 'ShowInfoTip'");
    EXPECT_TRUE(view_.log.empty());
}

TEST_F(RestrictionSwitchesTest, UnopenableKeyPutsTheMarkBackAndSaysSo) {
    faults_.Fail(RegCall::CreateKey, "Policies\\System").Fail(RegCall::CreateKey, "Policies\\Explorer");
    faults_.Fail(RegCall::CreateKey, "ErrorReporting");
    for (int index : {0, 1, 2, 6, 11})
        UserClick(kBindings[index], true);
    for (int index : {0, 1, 2, 6, 11}) {
        EXPECT_FALSE(view_.marks[kBindings[index].box]);
        EXPECT_EQ(view_.colors[kBindings[index].box], kUncheckedColors);
    }
    EXPECT_FALSE(KeyExists(kUser, kSystem));
    const std::string lead = "Error: Could NOT write to registry on local computer.\r";
    const std::string policies = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\";
    EXPECT_EQ(notifier_.events,
              (std::vector<std::string>{
                  lead + policies + "System\\DisableTaskMgr NOT found.]",
                  lead + policies + "System\\DisableRegistryTools NOT found.",
                  lead + policies + "Explorer\\NoFolderOptions NOT found.",
                  "Error: Could NOT connect to registry on local computer.\r" + policies +
                      "Explorer\\]\rNoChangeStartMenu NOT found\rNoLogOff NOT found",
                  lead + "HKLM\\SOFTWARE\\Microsoft\\PCHealth\\ErrorReporting\\DoReport NOT found."}));
}

TEST_F(RestrictionSwitchesTest, RefusedValuePutsTheMarkBackAndRaises) {
    faults_.Fail(RegCall::SetValue, "NoLogOff");
    view_.SetSwitchMark(SwitchBox::CB_07_LogoffCommand, true);
    EXPECT_EQ(ErrorOf([&] { switches_.CB_07_LogoffCommandClick(true); }),
              "Failed to set data for 'NoLogOff'");
    EXPECT_FALSE(view_.marks[SwitchBox::CB_07_LogoffCommand]);
    EXPECT_EQ(view_.colors[SwitchBox::CB_07_LogoffCommand], kUncheckedColors);
    EXPECT_EQ(StoredNumber(kUser, kExplorer, "NoLogOff"), std::nullopt);
}

TEST_F(RestrictionSwitchesTest, CheckAllAppliesEveryBoxInOrder) {
    for (bool checked : {false, true}) {
        view_.log.clear();
        view_.SetSwitchMark(SwitchBox::CB_CheckAll, checked);
        switches_.CB_CheckAllClick(checked);
        std::vector<std::string> marks;
        for (const std::string& entry : view_.log)
            if (entry.starts_with("mark "))
                marks.push_back(entry);
        std::vector<std::string> expected{"mark 22=" + std::to_string(checked)};
        for (int box = 0; box <= 21; ++box)
            expected.push_back("mark " + std::to_string(box) + "=" + std::to_string(checked));
        EXPECT_EQ(marks, expected);
        for (const Binding& binding : kBindings)
            EXPECT_EQ(NumbersOf(binding).back(),
                      std::to_string(checked ? binding.checked : binding.unchecked));
        for (int box = 12; box <= 16; ++box)
            EXPECT_FALSE(view_.colors.contains(static_cast<SwitchBox>(box)));
    }
    EXPECT_EQ(desktopCalls.shows, (std::vector<int>{SW_HIDE, SW_SHOW}));
    EXPECT_EQ(desktopCalls.findClass, "ProgMan");
    EXPECT_TRUE(desktopCalls.findTitleNull);
    EXPECT_EQ(desktopCalls.childOf, kProgman);
    EXPECT_EQ(desktopCalls.childCommand, static_cast<UINT>(GW_CHILD));
}

TEST_F(RestrictionSwitchesTest, CheckAllGoesOnPastAnUnopenableKey) {
    faults_.Fail(RegCall::CreateKey, "Policies\\Explorer");
    view_.marks[SwitchBox::CB_03_FolderOptions] = true;  // already checked before Check All
    switches_.SetAllSwitches(true);
    std::vector<SwitchBox> refused;
    for (const Binding& binding : kBindings) {
        if (binding.key == kExplorer)
            refused.push_back(binding.box);
        // A refused box goes back to the mark it had before Check All.
        const bool expected = binding.key != kExplorer || binding.box == SwitchBox::CB_03_FolderOptions;
        EXPECT_EQ(view_.marks[binding.box], expected) << binding.values.back();
        EXPECT_EQ(view_.colors[binding.box], expected ? kCheckedColors : kUncheckedColors);
    }
    ASSERT_EQ(notifier_.events.size(), refused.size());
    EXPECT_NE(notifier_.events.back().find("NoLowDiskSpaceChecks"), std::string::npos);
    EXPECT_EQ(StoredNumber(kUser, kCleanup, "NoRun"), 1u);
}

}  // namespace
