// Showing the window fills it from the local computer; Close acts at the next tick.
#include <gtest/gtest.h>

#include <algorithm>

#include "ComputerInfo.h"
#include "support/FaultyRegistryApi.h"
#include "support/RecordingNotifier.h"
#include "FakeStationView.h"
#include "StationTestSupport.h"

namespace {

const std::string kInternet = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
const std::string kSystem = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";

class ComputerInfoTest : public ::testing::Test {
protected:
    void SetUp() override {
        view_.values = &info_.Values();
        view_.onClose = [this] { info_.FormClose(); };
        SetNumberValue(HKEY_CURRENT_USER, kSystem, "DisableTaskMgr", 0);
    }
    int Closes() const { return static_cast<int>(std::count(view_.log.begin(), view_.log.end(), "close")); }

    KeySnapshot internet_{HKEY_CURRENT_USER, kInternet};
    PathSnapshot system_{HKEY_CURRENT_USER, kSystem};
    ScopedFaults faults_;
    FakeStationView view_;
    RecordingNotifier notifier_;
    ComputerInfo info_{view_, notifier_, FaultyRegistryApi()};
};

TEST_F(ComputerInfoTest, ShowingReadsTheSwitchesEvenWhenTheStationReadFails) {
    DeleteValue(HKEY_CURRENT_USER, kInternet, "ProxyEnable");
    const std::string name = LocalComputerName();
    EXPECT_EQ(ErrorOf([&] { info_.FormShow(name); }), "Failed to get data for 'ProxyEnable'");
    EXPECT_EQ(info_.TimerCommand(), "startup");
    EXPECT_EQ(view_.log.front(), "LE_Computer=" + name);
    EXPECT_TRUE(view_.enabled[StationButton::Button_GetValues]);
    EXPECT_FALSE(view_.fields[StationField::LE_Proxy].empty());
    EXPECT_TRUE(view_.marks[SwitchBox::CB_01_TaskManager]);
}

TEST_F(ComputerInfoTest, CloseActsAtTheNextTickOnceAndReshowingCancelsIt) {
    // A computer that cannot reach its own registry by name still shows its local switches.
    faults_.Fail(RegCall::Connect);
    info_.FormShow(LocalComputerName());
    EXPECT_EQ(view_.fields[StationField::LE_OwnersName], "none");
    EXPECT_EQ(view_.fields[StationField::LE_Proxy], "none");
    EXPECT_TRUE(view_.marks[SwitchBox::CB_01_TaskManager]);
    EXPECT_TRUE(notifier_.events.empty());

    info_.Timer1Timer();
    EXPECT_EQ(info_.TimerCommand(), "");
    EXPECT_EQ(Closes(), 0);

    info_.Button_CloseClick();
    info_.Button_CloseClick();
    EXPECT_EQ(Closes(), 0);
    info_.Timer1Timer();
    EXPECT_EQ(Closes(), 1);
    EXPECT_EQ(info_.TimerCommand(), "");
    info_.Timer1Timer();
    EXPECT_EQ(Closes(), 1);

    // The title bar's close box: the window hides at once and FormClose leaves "close" pending;
    // showing again within the second replaces it.
    info_.FormClose();
    info_.FormShow("pc");
    info_.Timer1Timer();
    info_.Timer1Timer();
    EXPECT_EQ(Closes(), 1);

    info_.xButtonClick();
    info_.Timer1Timer();
    EXPECT_EQ(Closes(), 2);
}

}  // namespace
