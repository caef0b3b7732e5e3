// What Computer Information shows, says and enables for the station values, against Wine's registry
// with the local computer reached by its name; showing fills the window, Close acts at the next tick.
#include <gtest/gtest.h>

#include <algorithm>

#include "ComputerInfoPresenter.h"
#include "support/FaultyRegistryApi.h"
#include "support/RecordingNotifier.h"
#include "station/FakeStation.h"
#include "station/StationTestSupport.h"
#include "FakeComputerInfoView.h"

namespace {

const std::string kIdentity = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
const std::string kMain = "Software\\Microsoft\\Internet Explorer\\Main";
const std::string kInternet = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
const std::string kSystem = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
const std::string kNotWritten = "Error: I could NOT write to registry on station ";

class ComputerInfoPresenterTest : public ::testing::Test {
protected:
    void SetUp() override {
        view_.presenter = &presenter_;
        view_.onClose = [this] { presenter_.FormClose(); };
        SetTextValue(HKEY_LOCAL_MACHINE, kIdentity, "RegisteredOwner", "Ann Owner");
        DeleteValue(HKEY_LOCAL_MACHINE, kIdentity, "RegisteredOrganization");
        SetTextValue(HKEY_CURRENT_USER, kMain, "Start Page", "http://start.example/");
        SetTextValue(HKEY_CURRENT_USER, kInternet, "ProxyServer", "");
        SetNumberValue(HKEY_CURRENT_USER, kInternet, "ProxyEnable", 2);
        SetNumberValue(HKEY_CURRENT_USER, kSystem, "DisableTaskMgr", 0);
    }
    std::string FieldsText() {
        return view_.fields[StationField::LE_OwnersName] + "|" + view_.fields[StationField::LE_Organization] +
               "|" + view_.fields[StationField::LE_HomePage] + "|" + view_.fields[StationField::LE_Proxy];
    }
    int Closes() const { return static_cast<int>(std::count(view_.log.begin(), view_.log.end(), "close")); }

    KeySnapshot identity_{HKEY_LOCAL_MACHINE, kIdentity};
    KeySnapshot main_{HKEY_CURRENT_USER, kMain};
    KeySnapshot internet_{HKEY_CURRENT_USER, kInternet};
    PathSnapshot system_{HKEY_CURRENT_USER, kSystem};
    FakeStation station_;
    ScopedFaults faults_;
    RegistryApi api_ = FakeStationApi();
    FakeComputerInfoView view_;
    RecordingNotifier notifier_;
    ComputerInfoPresenter presenter_{view_, notifier_, api_};
    const std::string name_ = LocalComputerName();
};

TEST_F(ComputerInfoPresenterTest, GetValuesFillsFieldsInOrderAndFollowsTheProxySwitch) {
    presenter_.RB_ProxyDisabledClick();
    presenter_.Button_GetValuesClick(name_);
    EXPECT_EQ(FieldsText(), "Ann Owner|(Value is not set)|http://start.example/|(Value is not set)");
    EXPECT_EQ(view_.log, (std::vector<std::string>{
                             "radio enabled", "LE_OwnersName=Ann Owner", "LE_Organization=(Value is not set)",
                             "LE_HomePage=http://start.example/", "LE_Proxy=(Value is not set)"}));
    EXPECT_EQ(presenter_.ProxyEnableChoice(), 1);  // "ProxyEnable" 2 counts as switched on
    EXPECT_TRUE(notifier_.events.empty());
    for (auto button : {StationButton::Button_WriteValues, StationButton::Button_SetHomePage,
                        StationButton::Button_SetProxy})
        EXPECT_TRUE(view_.enabled[button]);
    // One connection per root for the whole read.
    EXPECT_EQ(Faults().connected, (std::vector<HKEY>{HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}));

    // Set Proxy right after the read writes back what the radios show.
    presenter_.Button_SetProxyClick(name_, view_.fields[StationField::LE_Proxy]);
    EXPECT_EQ(StoredNumber(HKEY_CURRENT_USER, kInternet, "ProxyEnable"), 1u);
    EXPECT_EQ(StoredText(HKEY_CURRENT_USER, kInternet, "ProxyServer"), "(Value is not set)");
}

TEST_F(ComputerInfoPresenterTest, FailedReadStillReplacesEveryFieldBeforeTheErrorGoesOn) {
    view_.MarkProxyRadio(ProxyRadio::RB_ProxyEnabled);
    presenter_.RB_ProxyEnabledClick();
    DeleteValue(HKEY_CURRENT_USER, kInternet, "ProxyEnable");
    EXPECT_EQ(ErrorOf([&] { presenter_.GetStationValues(name_); }), "Failed to get data for 'ProxyEnable'");
    EXPECT_EQ(FieldsText(), "Ann Owner|(Value is not set)|http://start.example/|(Value is not set)");
    EXPECT_EQ(view_.radio, ProxyRadio::RB_ProxyDisabled);
    EXPECT_EQ(presenter_.ProxyEnableChoice(), 0);

    // An error on the first read leaves nothing of the earlier station either.
    SetNumberValue(HKEY_LOCAL_MACHINE, kIdentity, "RegisteredOrganization", 5);
    EXPECT_EQ(ErrorOf([&] { presenter_.GetStationValues(name_); }),
              "Invalid data type for 'RegisteredOrganization'");
    EXPECT_EQ(FieldsText(), "(Value is not set)|(Value is not set)|(Value is not set)|(Value is not set)");
}

TEST_F(ComputerInfoPresenterTest, UnreachableStationShowsNoneWithoutAMessage) {
    presenter_.RB_ProxyEnabledClick();
    presenter_.GetStationValues("NO-SUCH-STATION");
    EXPECT_EQ(FieldsText(), "none|none|none|none");
    EXPECT_EQ(view_.radio, ProxyRadio::RB_ProxyDisabled);
    EXPECT_EQ(presenter_.ProxyEnableChoice(), 0);
    EXPECT_TRUE(notifier_.events.empty());
}

TEST_F(ComputerInfoPresenterTest, InputChecksWarnFocusAndConnectNothing) {
    presenter_.GetStationValues("");
    EXPECT_EQ(notifier_.events,
              (std::vector<std::string>{
                  "sound warning", "Error: You MUST enter a station name, in order to make a connection !"}));
    EXPECT_TRUE(view_.fields.empty());

    // Write Values tests its three fields independently, in order.
    notifier_.events.clear();
    presenter_.Button_WriteValuesClick("", "", "");
    EXPECT_EQ(notifier_.events,
              (std::vector<std::string>{
                  "sound warning", "Error: You MUST enter a name for the station !", "sound warning",
                  "Error: You MUST enter an OWNER NAME to set on station specified !", "sound warning",
                  "Error: You MUST enter an ORGANIZATION NAME to set on station specified !"}));
    EXPECT_EQ(view_.focus,
              (std::vector<StationField>{StationField::LE_Computer, StationField::LE_Computer,
                                         StationField::LE_OwnersName, StationField::LE_Organization}));

    notifier_.events.clear();
    presenter_.Button_WriteValuesClick(name_, "", "Org");
    EXPECT_EQ(notifier_.events.size(), 2u);
    EXPECT_EQ(Faults().calls[RegCall::Connect], 0);
    EXPECT_EQ(StoredText(HKEY_LOCAL_MACHINE, kIdentity, "RegisteredOrganization"), "<missing>");
}

TEST_F(ComputerInfoPresenterTest, WriteValuesWritesOwnerThenOrganizationWithTwoBoxes) {
    std::string lower = name_;
    for (char& c : lower)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    presenter_.Button_WriteValuesClick(lower, "New Owner", "New Org");
    EXPECT_EQ(StoredText(HKEY_LOCAL_MACHINE, kIdentity, "RegisteredOwner"), "New Owner");
    EXPECT_EQ(StoredText(HKEY_LOCAL_MACHINE, kIdentity, "RegisteredOrganization"), "New Org");
    EXPECT_EQ(
        notifier_.events,
        (std::vector<std::string>{
            "sound notify", "Information: The NAME for the Owner was updated successfully on " + name_ + " !",
            "sound notify",
            "Information: The NAME for the Organization was updated successfully on " + name_ + " !"}));
    EXPECT_EQ(Faults().connected, std::vector<HKEY>{HKEY_LOCAL_MACHINE});

    notifier_.events.clear();
    presenter_.Button_WriteValuesClick("no-such-station", "X", "Y");
    const std::string box = kNotWritten + "NO-SUCH-STATION !";
    EXPECT_EQ(notifier_.events, (std::vector<std::string>{"sound warning", box, "sound warning", box}));
}

TEST_F(ComputerInfoPresenterTest, RefusedWriteEndsTheHandlerThere) {
    faults_.Fail(RegCall::SetValue, "RegisteredOwner");
    EXPECT_EQ(ErrorOf([&] { presenter_.Button_WriteValuesClick(name_, "New Owner", "New Org"); }),
              "Failed to set data for 'RegisteredOwner'");
    EXPECT_EQ(notifier_.events, std::vector<std::string>{"sound notify"});
    EXPECT_EQ(StoredText(HKEY_LOCAL_MACHINE, kIdentity, "RegisteredOwner"), "Ann Owner");
    EXPECT_EQ(StoredText(HKEY_LOCAL_MACHINE, kIdentity, "RegisteredOrganization"), "<missing>");

    // After a refused "ProxyServer" the switch is not written.
    faults_.Fail(RegCall::SetValue, "ProxyServer");
    presenter_.RB_ProxyEnabledClick();
    EXPECT_EQ(ErrorOf([&] { presenter_.Button_SetProxyClick(name_, "p:1"); }),
              "Failed to set data for 'ProxyServer'");
    EXPECT_EQ(StoredNumber(HKEY_CURRENT_USER, kInternet, "ProxyEnable"), 2u);
    EXPECT_EQ(notifier_.events.size(), 1u);
}

TEST_F(ComputerInfoPresenterTest, SetButtonsWriteAsTypedAndReportWithoutSounds) {
    presenter_.Button_SetHomePageClick(name_, "http://");
    presenter_.RB_ProxyEnabledClick();
    presenter_.Button_SetProxyClick(name_, "10.0.0.1:8080");
    EXPECT_EQ(StoredText(HKEY_CURRENT_USER, kMain, "Start Page"), "http://");
    EXPECT_EQ(StoredText(HKEY_CURRENT_USER, kInternet, "ProxyServer"), "10.0.0.1:8080");
    EXPECT_EQ(StoredNumber(HKEY_CURRENT_USER, kInternet, "ProxyEnable"), 1u);
    presenter_.RB_ProxyDisabledClick();
    presenter_.Button_SetProxyClick(name_, "p:1");
    EXPECT_EQ(StoredNumber(HKEY_CURRENT_USER, kInternet, "ProxyEnable"), 0u);
    const std::string on = " on " + name_ + " !";
    EXPECT_EQ(notifier_.events,
              (std::vector<std::string>{"Information: The HOME PAGE was updated successfully" + on,
                                        "Information: The PROXY SERVER was updated successfully" + on,
                                        "Information: The PROXY SERVER was enabled successfully" + on,
                                        "Information: The PROXY SERVER was updated successfully" + on,
                                        "Information: The PROXY SERVER was disabled successfully" + on}));

    notifier_.events.clear();
    presenter_.Button_SetHomePageClick("", "x");
    presenter_.Button_SetProxyClick("gone", "y");
    EXPECT_EQ(notifier_.events,
              (std::vector<std::string>{kNotWritten + " !", kNotWritten + "GONE !", kNotWritten + "GONE !"}));

    // Another station with nobody logged on warns for each write.
    notifier_.events.clear();
    presenter_.Button_SetProxyClick("pc-07", "p:1");
    const std::string nobody = "Warning: There is NO user logged on to station PC-07 !";
    EXPECT_EQ(notifier_.events, (std::vector<std::string>{nobody, nobody}));
}

TEST_F(ComputerInfoPresenterTest, EnablingRulesFollowEveryFieldChange) {
    view_.SetFieldText(StationField::LE_Computer, "");
    EXPECT_FALSE(view_.enabled[StationButton::Button_GetValues]);
    view_.SetFieldText(StationField::LE_Computer, "p");
    EXPECT_TRUE(view_.enabled[StationButton::Button_GetValues]);

    view_.SetFieldText(StationField::LE_OwnersName, "Ann");
    view_.SetFieldText(StationField::LE_Organization, "");
    EXPECT_FALSE(view_.enabled[StationButton::Button_WriteValues]);
    view_.SetFieldText(StationField::LE_Organization, "O");
    EXPECT_TRUE(view_.enabled[StationButton::Button_WriteValues]);
    view_.SetFieldText(StationField::LE_OwnersName, "");
    EXPECT_FALSE(view_.enabled[StationButton::Button_WriteValues]);

    view_.SetFieldText(StationField::LE_HomePage, "h");
    view_.SetFieldText(StationField::LE_Proxy, "");
    EXPECT_TRUE(view_.enabled[StationButton::Button_SetHomePage]);
    EXPECT_FALSE(view_.enabled[StationButton::Button_SetProxy]);
    view_.SetFieldText(StationField::LE_HomePage, "");
    view_.SetFieldText(StationField::LE_Proxy, "x");
    EXPECT_FALSE(view_.enabled[StationButton::Button_SetHomePage]);
    EXPECT_TRUE(view_.enabled[StationButton::Button_SetProxy]);
}

TEST_F(ComputerInfoPresenterTest, ShowingReadsTheSwitchesEvenWhenTheStationReadFails) {
    DeleteValue(HKEY_CURRENT_USER, kInternet, "ProxyEnable");
    EXPECT_EQ(ErrorOf([&] { presenter_.FormShow(name_); }), "Failed to get data for 'ProxyEnable'");
    EXPECT_EQ(presenter_.TimerCommand(), "startup");
    EXPECT_EQ(view_.log.front(), "LE_Computer=" + name_);
    EXPECT_TRUE(view_.enabled[StationButton::Button_GetValues]);
    EXPECT_FALSE(view_.fields[StationField::LE_Proxy].empty());
    EXPECT_TRUE(view_.marks[SwitchBox::CB_01_TaskManager]);
}

TEST_F(ComputerInfoPresenterTest, CloseActsAtTheNextTickOnceAndReshowingCancelsIt) {
    // A computer that cannot reach its own registry by name still shows its local switches.
    faults_.Fail(RegCall::Connect);
    presenter_.FormShow(name_);
    EXPECT_EQ(view_.fields[StationField::LE_OwnersName], "none");
    EXPECT_EQ(view_.fields[StationField::LE_Proxy], "none");
    EXPECT_TRUE(view_.marks[SwitchBox::CB_01_TaskManager]);
    EXPECT_TRUE(notifier_.events.empty());

    presenter_.Timer1Timer();
    EXPECT_EQ(presenter_.TimerCommand(), "");
    EXPECT_EQ(Closes(), 0);

    presenter_.Button_CloseClick();
    presenter_.Button_CloseClick();
    EXPECT_EQ(Closes(), 0);
    presenter_.Timer1Timer();
    EXPECT_EQ(Closes(), 1);
    EXPECT_EQ(presenter_.TimerCommand(), "");
    presenter_.Timer1Timer();
    EXPECT_EQ(Closes(), 1);

    // The title bar's close box: the window hides at once and FormClose leaves "close" pending;
    // showing again within the second replaces it.
    presenter_.FormClose();
    presenter_.FormShow("pc");
    presenter_.Timer1Timer();
    presenter_.Timer1Timer();
    EXPECT_EQ(Closes(), 1);

    presenter_.xButtonClick();
    presenter_.Timer1Timer();
    EXPECT_EQ(Closes(), 2);
}

}  // namespace
