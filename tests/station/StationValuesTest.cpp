// Station values against Wine's registry, the local computer reached by its name like any station.
#include <gtest/gtest.h>

#include "StationText.h"
#include "StationValues.h"
#include "support/FaultyRegistryApi.h"
#include "support/RecordingNotifier.h"
#include "FakeStationView.h"
#include "StationTestSupport.h"

namespace {

const std::string kIdentity = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
const std::string kMain = "Software\\Microsoft\\Internet Explorer\\Main";
const std::string kInternet = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
const std::string kNotWritten = "Error: I could NOT write to registry on station ";

class StationValuesTest : public ::testing::Test {
protected:
    void SetUp() override {
        view_.values = &values_;
        SetTextValue(HKEY_LOCAL_MACHINE, kIdentity, "RegisteredOwner", "Ann Owner");
        DeleteValue(HKEY_LOCAL_MACHINE, kIdentity, "RegisteredOrganization");
        SetTextValue(HKEY_CURRENT_USER, kMain, "Start Page", "http://start.example/");
        SetTextValue(HKEY_CURRENT_USER, kInternet, "ProxyServer", "");
        SetNumberValue(HKEY_CURRENT_USER, kInternet, "ProxyEnable", 2);
    }
    std::string FieldsText() {
        return view_.fields[StationField::LE_OwnersName] + "|" + view_.fields[StationField::LE_Organization] +
               "|" + view_.fields[StationField::LE_HomePage] + "|" + view_.fields[StationField::LE_Proxy];
    }

    KeySnapshot identity_{HKEY_LOCAL_MACHINE, kIdentity};
    KeySnapshot main_{HKEY_CURRENT_USER, kMain};
    KeySnapshot internet_{HKEY_CURRENT_USER, kInternet};
    ScopedFaults faults_;
    FakeStationView view_;
    RecordingNotifier notifier_;
    StationValues values_{view_, notifier_, FaultyRegistryApi()};
    const std::string name_ = LocalComputerName();
};

TEST(StationTextTest, UpperCasesOnlyAsciiLettersAndPrefixesUncBackslashes) {
    EXPECT_EQ(StationInMessage("pc-07"), "PC-07 !");
    EXPECT_EQ(StationInMessage("\xe9t\xe9-z"), "\xe9T\xe9-Z !");
    EXPECT_EQ(UncForm("pc"), "\\\\pc");
    EXPECT_EQ(UncForm("\\\\pc"), "\\\\\\\\pc");
}

TEST_F(StationValuesTest, GetValuesFillsFieldsInOrderAndFollowsTheProxySwitch) {
    values_.RB_ProxyDisabledClick();
    values_.GetStationValues(name_);
    EXPECT_EQ(FieldsText(), "Ann Owner|(Value is not set)|http://start.example/|(Value is not set)");
    EXPECT_EQ(view_.log, (std::vector<std::string>{
                             "radio enabled", "LE_OwnersName=Ann Owner", "LE_Organization=(Value is not set)",
                             "LE_HomePage=http://start.example/", "LE_Proxy=(Value is not set)"}));
    EXPECT_EQ(values_.ProxyEnableChoice(), 1);  // "ProxyEnable" 2 counts as switched on
    EXPECT_TRUE(notifier_.events.empty());
    for (auto button : {StationButton::Button_WriteValues, StationButton::Button_SetHomePage,
                        StationButton::Button_SetProxy})
        EXPECT_TRUE(view_.enabled[button]);

    // Set Proxy right after the read writes back what the radios show.
    values_.Button_SetProxyClick(name_, view_.fields[StationField::LE_Proxy]);
    EXPECT_EQ(StoredNumber(HKEY_CURRENT_USER, kInternet, "ProxyEnable"), 1u);
    EXPECT_EQ(StoredText(HKEY_CURRENT_USER, kInternet, "ProxyServer"), "(Value is not set)");
}

TEST_F(StationValuesTest, FailedReadStillReplacesEveryFieldBeforeTheErrorGoesOn) {
    view_.MarkProxyRadio(ProxyRadio::RB_ProxyEnabled);
    values_.RB_ProxyEnabledClick();
    DeleteValue(HKEY_CURRENT_USER, kInternet, "ProxyEnable");
    EXPECT_EQ(ErrorOf([&] { values_.GetStationValues(name_); }), "Failed to get data for 'ProxyEnable'");
    EXPECT_EQ(FieldsText(), "Ann Owner|(Value is not set)|http://start.example/|(Value is not set)");
    EXPECT_EQ(view_.radio, ProxyRadio::RB_ProxyDisabled);
    EXPECT_EQ(values_.ProxyEnableChoice(), 0);

    // An error on the first read leaves nothing of the earlier station either.
    SetNumberValue(HKEY_LOCAL_MACHINE, kIdentity, "RegisteredOrganization", 5);
    EXPECT_EQ(ErrorOf([&] { values_.GetStationValues(name_); }),
              "Invalid data type for 'RegisteredOrganization'");
    EXPECT_EQ(FieldsText(), "(Value is not set)|(Value is not set)|(Value is not set)|(Value is not set)");
}

TEST_F(StationValuesTest, UnreachableStationShowsNoneWithoutAMessage) {
    values_.RB_ProxyEnabledClick();
    values_.GetStationValues("NO-SUCH-STATION");
    EXPECT_EQ(FieldsText(), "none|none|none|none");
    EXPECT_EQ(view_.radio, ProxyRadio::RB_ProxyDisabled);
    EXPECT_EQ(values_.ProxyEnableChoice(), 0);
    EXPECT_TRUE(notifier_.events.empty());

    // A key that does not open reads as unset.
    faults_.Fail(RegCall::OpenKey, "Windows NT");
    EXPECT_EQ(values_.ReadStationOwner(name_), "");

    // Each read connected on its own, all five through the faulty API.
    const int before = Faults().calls[RegCall::Connect];
    faults_.Fail(RegCall::Connect);
    values_.GetStationValues(name_);
    EXPECT_EQ(FieldsText(), "none|none|none|none");
    EXPECT_EQ(Faults().calls[RegCall::Connect] - before, 5);
}

TEST_F(StationValuesTest, InputChecksWarnFocusAndConnectNothing) {
    values_.GetStationValues("");
    EXPECT_EQ(notifier_.events,
              (std::vector<std::string>{
                  "sound warning", "Error: You MUST enter a station name, in order to make a connection !"}));
    EXPECT_TRUE(view_.fields.empty());

    // Write Values tests its three fields independently, in order.
    notifier_.events.clear();
    values_.Button_WriteValuesClick("", "", "");
    EXPECT_EQ(notifier_.events,
              (std::vector<std::string>{
                  "sound warning", "Error: You MUST enter a name for the station !", "sound warning",
                  "Error: You MUST enter an OWNER NAME to set on station specified !", "sound warning",
                  "Error: You MUST enter an ORGANIZATION NAME to set on station specified !"}));
    EXPECT_EQ(view_.focus,
              (std::vector<StationField>{StationField::LE_Computer, StationField::LE_Computer,
                                         StationField::LE_OwnersName, StationField::LE_Organization}));

    notifier_.events.clear();
    values_.Button_WriteValuesClick(name_, "", "Org");
    EXPECT_EQ(notifier_.events.size(), 2u);
    EXPECT_EQ(Faults().calls[RegCall::Connect], 0);
    EXPECT_EQ(StoredText(HKEY_LOCAL_MACHINE, kIdentity, "RegisteredOrganization"), "<missing>");
}

TEST_F(StationValuesTest, WriteValuesWritesOwnerThenOrganizationWithTwoBoxes) {
    std::string lower = name_;
    for (char& c : lower)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    values_.Button_WriteValuesClick(lower, "New Owner", "New Org");
    EXPECT_EQ(StoredText(HKEY_LOCAL_MACHINE, kIdentity, "RegisteredOwner"), "New Owner");
    EXPECT_EQ(StoredText(HKEY_LOCAL_MACHINE, kIdentity, "RegisteredOrganization"), "New Org");
    EXPECT_EQ(
        notifier_.events,
        (std::vector<std::string>{
            "sound notify", "Information: The NAME for the Owner was updated successfully on " + name_ + " !",
            "sound notify",
            "Information: The NAME for the Organization was updated successfully on " + name_ + " !"}));

    notifier_.events.clear();
    values_.Button_WriteValuesClick("no-such-station", "X", "Y");
    const std::string box = kNotWritten + "NO-SUCH-STATION !";
    EXPECT_EQ(notifier_.events, (std::vector<std::string>{"sound warning", box, "sound warning", box}));
}

TEST_F(StationValuesTest, RefusedWriteEndsTheHandlerThere) {
    faults_.Fail(RegCall::SetValue, "RegisteredOwner");
    EXPECT_EQ(ErrorOf([&] { values_.Button_WriteValuesClick(name_, "New Owner", "New Org"); }),
              "Failed to set data for 'RegisteredOwner'");
    EXPECT_EQ(notifier_.events, std::vector<std::string>{"sound notify"});
    EXPECT_EQ(StoredText(HKEY_LOCAL_MACHINE, kIdentity, "RegisteredOwner"), "Ann Owner");
    EXPECT_EQ(StoredText(HKEY_LOCAL_MACHINE, kIdentity, "RegisteredOrganization"), "<missing>");

    // After a refused "ProxyServer" the switch is not written.
    faults_.Fail(RegCall::SetValue, "ProxyServer");
    values_.RB_ProxyEnabledClick();
    EXPECT_EQ(ErrorOf([&] { values_.Button_SetProxyClick(name_, "p:1"); }),
              "Failed to set data for 'ProxyServer'");
    EXPECT_EQ(StoredNumber(HKEY_CURRENT_USER, kInternet, "ProxyEnable"), 2u);
    EXPECT_EQ(notifier_.events.size(), 1u);
}

TEST_F(StationValuesTest, SetButtonsWriteAsTypedAndReportWithoutSounds) {
    values_.Button_SetHomePageClick(name_, "http://");
    values_.RB_ProxyEnabledClick();
    values_.Button_SetProxyClick(name_, "10.0.0.1:8080");
    EXPECT_EQ(StoredText(HKEY_CURRENT_USER, kMain, "Start Page"), "http://");
    EXPECT_EQ(StoredText(HKEY_CURRENT_USER, kInternet, "ProxyServer"), "10.0.0.1:8080");
    EXPECT_EQ(StoredNumber(HKEY_CURRENT_USER, kInternet, "ProxyEnable"), 1u);
    values_.RB_ProxyDisabledClick();
    values_.Button_SetProxyClick(name_, "p:1");
    values_.WriteStationProxyEnable(name_, 2);  // stored, but no box for a number the radios cannot show
    EXPECT_EQ(StoredNumber(HKEY_CURRENT_USER, kInternet, "ProxyEnable"), 2u);
    const std::string on = " on " + name_ + " !";
    EXPECT_EQ(notifier_.events,
              (std::vector<std::string>{"Information: The HOME PAGE was updated successfully" + on,
                                        "Information: The PROXY SERVER was updated successfully" + on,
                                        "Information: The PROXY SERVER was enabled successfully" + on,
                                        "Information: The PROXY SERVER was updated successfully" + on,
                                        "Information: The PROXY SERVER was disabled successfully" + on}));

    notifier_.events.clear();
    values_.Button_SetHomePageClick("", "x");
    values_.Button_SetProxyClick("gone", "y");
    EXPECT_EQ(notifier_.events,
              (std::vector<std::string>{kNotWritten + " !", kNotWritten + "GONE !", kNotWritten + "GONE !"}));
}

TEST_F(StationValuesTest, EnablingRulesFollowEveryFieldChange) {
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

}  // namespace
