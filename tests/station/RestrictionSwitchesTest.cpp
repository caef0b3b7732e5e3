// The local switches against Wine's registry: numbers written, reading rule, states at show, failures.
#include <gtest/gtest.h>

#include "RestrictionSwitches.h"
#include "SwitchOracle.h"

namespace {

class RestrictionSwitchesTest : public SwitchKeysTest {
protected:
    bool StateOf(const std::vector<SwitchState>& states, Switch id) {
        for (const SwitchState& state : states)
            if (state.id == id)
                return state.on;
        ADD_FAILURE() << "not read: " << static_cast<int>(id);
        return false;
    }

    RestrictionSwitches switches_{FaultyRegistryApi(), kFakeDesktop};
};

TEST_F(RestrictionSwitchesTest, EachWriteStoresItsNumbersAndReadsBack) {
    for (bool on : {false, true}) {
        for (const Binding& binding : kBindings) {
            EXPECT_EQ(OutcomeText(switches_.WriteSwitch(binding.id, on)), "done: ");
            const std::string number = std::to_string(on ? binding.checked : binding.unchecked);
            EXPECT_EQ(NumbersOf(binding), std::vector<std::string>(binding.values.size(), number))
                << binding.values.back();
        }
        // The next showing reads back every state that was stored.
        const std::vector<SwitchState> states = switches_.ReadSwitchStates();
        for (const Binding& binding : kBindings)
            EXPECT_EQ(StateOf(states, binding.id), on) << binding.values.back();
    }
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

TEST_F(RestrictionSwitchesTest, StatesAtShowFollowEachSenseInTableOrder) {
    SetNumberValue(kUser, kSystem, "DisableTaskMgr", 2);
    SetNumberValue(kMachine, kReporting, "DoReport", 1);
    SetNumberValue(kUser, kCleanup, "NoRun", 0);
    const std::vector<SwitchState> states = switches_.ReadSwitchStates();
    ASSERT_EQ(states.size(), 16u);  // the desktop icons are never read
    for (size_t i = 0; i < states.size(); ++i)
        EXPECT_EQ(states[i].id, kBindings[i].id);
    EXPECT_TRUE(StateOf(states, Switch::TaskManager));
    EXPECT_TRUE(StateOf(states, Switch::HiddenFilesAndFolders));  // "Hidden" missing
    EXPECT_FALSE(StateOf(states, Switch::Regedit));               // missing
    EXPECT_FALSE(StateOf(states, Switch::DontSendMessages));
    EXPECT_FALSE(StateOf(states, Switch::DesktopCleanupWizard));

    SetTextValue(kUser, kAdvanced, "ShowInfoTip", "x");
    EXPECT_EQ(ErrorOf([&] { switches_.ReadSwitchStates(); }), "Invalid data type for 'ShowInfoTip'");
}

TEST_F(RestrictionSwitchesTest, UnopenableKeyFailsWithItsTextAndStoresNothing) {
    faults_.Fail(RegCall::CreateKey, "Policies\\System").Fail(RegCall::CreateKey, "Policies\\Explorer");
    faults_.Fail(RegCall::CreateKey, "ErrorReporting");
    std::vector<std::string> reports;
    for (int index : {0, 1, 2, 6, 11})
        reports.push_back(OutcomeText(switches_.WriteSwitch(kBindings[index].id, true)));
    EXPECT_FALSE(KeyExists(kUser, kSystem));
    const std::string lead = "failed: Could NOT write to registry on local computer.\r";
    const std::string policies = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\";
    EXPECT_EQ(reports,
              (std::vector<std::string>{
                  lead + policies + "System\\DisableTaskMgr NOT found.]",
                  lead + policies + "System\\DisableRegistryTools NOT found.",
                  lead + policies + "Explorer\\NoFolderOptions NOT found.",
                  "failed: Could NOT connect to registry on local computer.\r" + policies +
                      "Explorer\\]\rNoChangeStartMenu NOT found\rNoLogOff NOT found",
                  lead + "HKLM\\SOFTWARE\\Microsoft\\PCHealth\\ErrorReporting\\DoReport NOT found."}));

    // A value refused after the key opened raises.
    faults_.Fail(RegCall::SetValue, "DisableCMD");
    EXPECT_EQ(ErrorOf([&] { switches_.WriteSwitch(Switch::CmdPrompt, true); }),
              "Failed to set data for 'DisableCMD'");
    EXPECT_EQ(StoredNumber(kUser, kCommand, "DisableCMD"), std::nullopt);
}

TEST_F(RestrictionSwitchesTest, DesktopIconsAreShownAndHiddenThroughTheDesktopWindow) {
    EXPECT_EQ(OutcomeText(switches_.WriteSwitch(Switch::DesktopIcons, false)), "done: ");
    EXPECT_EQ(OutcomeText(switches_.WriteSwitch(Switch::DesktopIcons, true)), "done: ");
    EXPECT_EQ(desktopCalls.shows, (std::vector<int>{SW_HIDE, SW_SHOW}));
    EXPECT_EQ(desktopCalls.findClass, "ProgMan");
    EXPECT_TRUE(desktopCalls.findTitleNull);
    EXPECT_EQ(desktopCalls.childOf, kProgman);
    EXPECT_EQ(desktopCalls.childCommand, static_cast<UINT>(GW_CHILD));
    EXPECT_EQ(Faults().calls[RegCall::CreateKey], 0);
}

}  // namespace
