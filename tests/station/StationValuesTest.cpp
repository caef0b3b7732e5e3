// Station values against Wine's registry, the local computer reached by its name like any station.
#include <gtest/gtest.h>

#include "StationInput.h"
#include "StationText.h"
#include "StationValues.h"
#include "support/FaultyRegistryApi.h"
#include "StationTestSupport.h"

namespace {

const std::string kIdentity = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
const std::string kMain = "Software\\Microsoft\\Internet Explorer\\Main";
const std::string kInternet = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

std::string Fields(const StationReading& reading) {
    return reading.owner + "|" + reading.organization + "|" + reading.homePage + "|" + reading.proxyServer +
           (reading.proxyOn ? "|on" : "|off");
}

class StationValuesTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetTextValue(HKEY_LOCAL_MACHINE, kIdentity, "RegisteredOwner", "Ann Owner");
        DeleteValue(HKEY_LOCAL_MACHINE, kIdentity, "RegisteredOrganization");
        SetTextValue(HKEY_CURRENT_USER, kMain, "Start Page", "http://start.example/");
        SetTextValue(HKEY_CURRENT_USER, kInternet, "ProxyServer", "");
        SetNumberValue(HKEY_CURRENT_USER, kInternet, "ProxyEnable", 2);
    }
    StationValues Local() { return StationValues(name_, name_, FaultyRegistryApi()); }

    KeySnapshot identity_{HKEY_LOCAL_MACHINE, kIdentity};
    KeySnapshot main_{HKEY_CURRENT_USER, kMain};
    KeySnapshot internet_{HKEY_CURRENT_USER, kInternet};
    ScopedFaults faults_;
    const std::string name_ = LocalComputerName();
};

TEST(StationTextTest, UpperCasesOnlyAsciiLettersAndPrefixesUncBackslashes) {
    EXPECT_EQ(StationInMessage("pc-07"), "PC-07 !");
    EXPECT_EQ(StationInMessage("\xe9t\xe9-z"), "\xe9T\xe9-Z !");
    EXPECT_EQ(UncForm("pc"), "\\\\pc");
    EXPECT_EQ(UncForm("\\\\pc"), "\\\\\\\\pc");
}

TEST(StationInputTest, EveryEmptyTextIsNamedInOrder) {
    const auto inputs = [](const std::vector<MissingInput>& missing) {
        std::string text;
        for (const MissingInput& input : missing)
            text += std::to_string(static_cast<int>(input.input)) + ":" + input.text + "\n";
        return text;
    };
    EXPECT_EQ(inputs(MissingToGetValues("")),
              "0:You MUST enter a station name, in order to make a connection !\n");
    EXPECT_EQ(inputs(MissingToGetValues("pc")), "");
    EXPECT_EQ(inputs(MissingToWriteValues("", "", "")),
              "0:You MUST enter a name for the station !\n"
              "1:You MUST enter an OWNER NAME to set on station specified !\n"
              "2:You MUST enter an ORGANIZATION NAME to set on station specified !\n");
    EXPECT_EQ(inputs(MissingToWriteValues("pc", "", "Org")),
              "1:You MUST enter an OWNER NAME to set on station specified !\n");
}

TEST_F(StationValuesTest, GetValuesReadsEveryValueAsItsFieldShowsIt) {
    StationReading reading;
    Local().GetStationValues(reading);
    EXPECT_EQ(Fields(reading), "Ann Owner|(Value is not set)|http://start.example/|(Value is not set)|on");

    // A read that raises leaves what was read before it, and the rest unset.
    DeleteValue(HKEY_CURRENT_USER, kInternet, "ProxyEnable");
    StationReading partial;
    EXPECT_EQ(ErrorOf([&] { Local().GetStationValues(partial); }), "Failed to get data for 'ProxyEnable'");
    EXPECT_EQ(Fields(partial), "Ann Owner|(Value is not set)|http://start.example/|(Value is not set)|off");
    SetNumberValue(HKEY_LOCAL_MACHINE, kIdentity, "RegisteredOrganization", 5);
    StationReading first;
    EXPECT_EQ(ErrorOf([&] { Local().GetStationValues(first); }),
              "Invalid data type for 'RegisteredOrganization'");
    EXPECT_EQ(Fields(first),
              "(Value is not set)|(Value is not set)|(Value is not set)|(Value is not set)|off");
}

TEST_F(StationValuesTest, UnreachableStationReadsNoneAndWritesFail) {
    StationValues gone("NO-SUCH-STATION", name_, FaultyRegistryApi());
    StationReading reading;
    gone.GetStationValues(reading);
    EXPECT_EQ(Fields(reading), "none|none|none|none|off");
    const std::string notWritten = "failed: I could NOT write to registry on station NO-SUCH-STATION !";
    EXPECT_EQ(OutcomeText(gone.ReachIdentity()), notWritten);
    EXPECT_EQ(OutcomeText(gone.WriteStationOwner("X")), notWritten);
    EXPECT_EQ(OutcomeText(gone.WriteStationHomePage("x")), notWritten);
    EXPECT_EQ(OutcomeText(gone.WriteStationProxyEnable(1)), notWritten);
    EXPECT_EQ(OutcomeText(StationValues("", name_, FaultyRegistryApi()).WriteStationProxyServer("y")),
              "failed: I could NOT write to registry on station  !");

    // A key that does not open reads as unset.
    faults_.Fail(RegCall::OpenKey, "Windows NT");
    EXPECT_EQ(Local().ReadStationOwner(), "");
}

TEST_F(StationValuesTest, WritesStoreAsTypedAndSayWhatTheyDid) {
    std::string lower = name_;
    for (char& c : lower)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    StationValues values(lower, name_, FaultyRegistryApi());
    const std::string on = " on " + name_ + " !";
    EXPECT_EQ(OutcomeText(values.ReachIdentity()), "done: ");
    EXPECT_EQ(OutcomeText(values.WriteStationOwner("New Owner")),
              "done: The NAME for the Owner was updated successfully" + on);
    EXPECT_EQ(OutcomeText(values.WriteStationOrganization("New Org")),
              "done: The NAME for the Organization was updated successfully" + on);
    EXPECT_EQ(OutcomeText(values.WriteStationHomePage("http://")),
              "done: The HOME PAGE was updated successfully" + on);
    EXPECT_EQ(OutcomeText(values.WriteStationProxyServer("10.0.0.1:8080")),
              "done: The PROXY SERVER was updated successfully" + on);
    EXPECT_EQ(OutcomeText(values.WriteStationProxyEnable(1)),
              "done: The PROXY SERVER was enabled successfully" + on);
    EXPECT_EQ(OutcomeText(values.WriteStationProxyEnable(0)),
              "done: The PROXY SERVER was disabled successfully" + on);
    EXPECT_EQ(StoredNumber(HKEY_CURRENT_USER, kInternet, "ProxyEnable"), 0u);
    // Stored, but without a text for a number the radios cannot show.
    EXPECT_EQ(OutcomeText(values.WriteStationProxyEnable(2)), "done: ");
    EXPECT_EQ(StoredNumber(HKEY_CURRENT_USER, kInternet, "ProxyEnable"), 2u);
    EXPECT_EQ(StoredText(HKEY_LOCAL_MACHINE, kIdentity, "RegisteredOwner"), "New Owner");
    EXPECT_EQ(StoredText(HKEY_LOCAL_MACHINE, kIdentity, "RegisteredOrganization"), "New Org");
    EXPECT_EQ(StoredText(HKEY_CURRENT_USER, kMain, "Start Page"), "http://");
    EXPECT_EQ(StoredText(HKEY_CURRENT_USER, kInternet, "ProxyServer"), "10.0.0.1:8080");

    // A value the station refuses raises and stores nothing.
    faults_.Fail(RegCall::SetValue, "RegisteredOwner");
    EXPECT_EQ(ErrorOf([&] { values.WriteStationOwner("Other"); }),
              "Failed to set data for 'RegisteredOwner'");
    EXPECT_EQ(StoredText(HKEY_LOCAL_MACHINE, kIdentity, "RegisteredOwner"), "New Owner");
}

}  // namespace
