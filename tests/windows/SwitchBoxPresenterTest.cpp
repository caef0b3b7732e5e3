// The switch boxes against Wine's registry: each box writes its switch and takes its colours, a box
// never keeps a mark that was not stored, the marks at show, Check All.
#include <gtest/gtest.h>

#include <map>

#include "SwitchBoxPresenter.h"
#include "support/RecordingNotifier.h"
#include "station/SwitchOracle.h"
#include "FakeComputerInfoView.h"

namespace {

using B = SwitchBox;
// Which box shows which switch, independent of the window's table.
const std::map<Switch, SwitchBox> kBoxOf = {
    {Switch::TaskManager, B::CB_01_TaskManager},
    {Switch::Regedit, B::CB_02_Regedit},
    {Switch::FolderOptions, B::CB_03_FolderOptions},
    {Switch::HiddenFilesAndFolders, B::CB_04_HiddenFilesAndFolders},
    {Switch::RunCommand, B::CB_05_RunCommand},
    {Switch::CmdPrompt, B::CB_06_CMDPrompt},
    {Switch::LogoffCommand, B::CB_07_LogoffCommand},
    {Switch::ShutdownCommand, B::CB_08_ShutdownCommand},
    {Switch::ControlPanel, B::CB_09_ControlPanel},
    {Switch::FileExtensions, B::CB_11_FileExtensions},
    {Switch::TaskbarContextMenu, B::CB_12_TaskbarContextMenu},
    {Switch::DontSendMessages, B::CB_E_01_DisableDontSendMessages},
    {Switch::LowDiskSpaceMessages, B::CB_E_02_DisableLowDiskSpaceMessages},
    {Switch::ToolTips, B::CB_E_03_DisableToolTips},
    {Switch::BalloonTips, B::CB_E_04_DisableBalloonTips},
    {Switch::DesktopCleanupWizard, B::CB_E_05_DisableDesktopCleanupWizard},
};

const std::pair<COLORREF, COLORREF> kCheckedColors{0xB35900, 0xFFFFFF};
const std::pair<COLORREF, COLORREF> kUncheckedColors{0xFFECD9, 0x000000};

class SwitchBoxPresenterTest : public SwitchKeysTest {
protected:
    static SwitchBox BoxFor(const Binding& binding) { return kBoxOf.at(binding.id); }
    // The user's click: the mark toggles, then the handler runs with it.
    void UserClick(SwitchBox box, bool checked) {
        view_.SetSwitchMark(box, checked);
        switches_.SwitchBoxClick(box, checked);
    }

    FakeComputerInfoView view_;
    RecordingNotifier notifier_;
    SwitchBoxPresenter switches_{view_, notifier_, FaultyRegistryApi(), kFakeDesktop};
};

TEST_F(SwitchBoxPresenterTest, EachClickWritesItsNumbersPaintsAndReadsBack) {
    for (bool checked : {false, true}) {
        for (const Binding& binding : kBindings) {
            UserClick(BoxFor(binding), checked);
            const std::string number = std::to_string(checked ? binding.checked : binding.unchecked);
            EXPECT_EQ(NumbersOf(binding), std::vector<std::string>(binding.values.size(), number))
                << binding.values.back();
            EXPECT_EQ(view_.colors[BoxFor(binding)], checked ? kCheckedColors : kUncheckedColors);
        }
        // The next showing reads back every mark that was stored.
        view_.marks.clear();
        switches_.LoadSwitchMarks();
        for (const Binding& binding : kBindings)
            EXPECT_EQ(view_.marks[BoxFor(binding)], checked) << binding.values.back();
    }
    EXPECT_TRUE(notifier_.events.empty());

    // The invisible boxes are bound to nothing.
    view_.log.clear();
    UserClick(SwitchBox::CB_13_IE_HomePageChange, false);
    EXPECT_EQ(view_.log, std::vector<std::string>{"mark 12=0"});
}

TEST_F(SwitchBoxPresenterTest, ShowingReadsEverythingBeforeMarkingAndLeavesUnreadBoxesAlone) {
    SetNumberValue(kUser, kSystem, "DisableTaskMgr", 2);
    SetNumberValue(kMachine, kReporting, "DoReport", 1);
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

TEST_F(SwitchBoxPresenterTest, UnopenableKeyPutsTheMarkBackAndSaysSo) {
    faults_.Fail(RegCall::CreateKey, "Policies\\System").Fail(RegCall::CreateKey, "Policies\\Explorer");
    faults_.Fail(RegCall::CreateKey, "ErrorReporting");
    for (int index : {0, 1, 2, 6, 11})
        UserClick(BoxFor(kBindings[index]), true);
    for (int index : {0, 1, 2, 6, 11}) {
        EXPECT_FALSE(view_.marks[BoxFor(kBindings[index])]);
        EXPECT_EQ(view_.colors[BoxFor(kBindings[index])], kUncheckedColors);
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

TEST_F(SwitchBoxPresenterTest, RefusedValuePutsTheMarkBackAndRaises) {
    faults_.Fail(RegCall::SetValue, "NoLogOff");
    view_.SetSwitchMark(SwitchBox::CB_07_LogoffCommand, true);
    EXPECT_EQ(ErrorOf([&] { switches_.SwitchBoxClick(SwitchBox::CB_07_LogoffCommand, true); }),
              "Failed to set data for 'NoLogOff'");
    EXPECT_FALSE(view_.marks[SwitchBox::CB_07_LogoffCommand]);
    EXPECT_EQ(view_.colors[SwitchBox::CB_07_LogoffCommand], kUncheckedColors);
    EXPECT_EQ(StoredNumber(kUser, kExplorer, "NoLogOff"), std::nullopt);
}

TEST_F(SwitchBoxPresenterTest, CheckAllAppliesEveryBoxInOrder) {
    for (bool checked : {false, true}) {
        view_.log.clear();
        UserClick(SwitchBox::CB_CheckAll, checked);
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
        EXPECT_FALSE(view_.colors.contains(SwitchBox::CB_CheckAll));
    }
    EXPECT_EQ(desktopCalls.shows, (std::vector<int>{SW_HIDE, SW_SHOW}));
}

TEST_F(SwitchBoxPresenterTest, CheckAllGoesOnPastAnUnopenableKey) {
    faults_.Fail(RegCall::CreateKey, "Policies\\Explorer");
    view_.marks[SwitchBox::CB_03_FolderOptions] = true;  // already checked before Check All
    switches_.SetAllSwitches(true);
    size_t refused = 0;
    for (const Binding& binding : kBindings) {
        if (binding.key == kExplorer)
            ++refused;
        // A refused box goes back to the mark it had before Check All.
        const bool expected = binding.key != kExplorer || BoxFor(binding) == SwitchBox::CB_03_FolderOptions;
        EXPECT_EQ(view_.marks[BoxFor(binding)], expected) << binding.values.back();
        EXPECT_EQ(view_.colors[BoxFor(binding)], expected ? kCheckedColors : kUncheckedColors);
    }
    ASSERT_EQ(notifier_.events.size(), refused);
    EXPECT_NE(notifier_.events.back().find("NoLowDiskSpaceChecks"), std::string::npos);
    EXPECT_EQ(StoredNumber(kUser, kCleanup, "NoRun"), 1u);
}

}  // namespace
