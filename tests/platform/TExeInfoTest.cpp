// TExeInfo against the built Tellurin.exe and the platform's computer name.
#include <gtest/gtest.h>

#include <windows.h>

#include "TExeInfo.h"
#include "support/KeySnapshot.h"
#include "AppTitle.h"

namespace {

TEST(TExeInfoTest, ReadsTheVersionResourceOfTheBuiltExecutable) {
    TExeInfo info(TELLURIN_EXE_PATH);
    EXPECT_EQ(info.FileVersion, "1.0.0.5");
    EXPECT_EQ(info.ProductVersion, "1.0.0.5");
    EXPECT_EQ(info.FileDescription, "Tellurin v.5");
    EXPECT_EQ(info.ProductName, "Tellurin v.5");
    EXPECT_EQ(info.LegalTradeMark, "Tellurin");  // from "LegalTradeMarks"
    EXPECT_EQ(CaptionTextFor(info.FileVersion), "Tellurin v.5");
}

TEST(TExeInfoTest, WithoutVersionInformationEveryTextSaysSo) {
    TExeInfo info(std::string(TELLURIN_TEST_DATA) + "\\lnk\\README.md");
    EXPECT_EQ(info.FileVersion, "Updated at run-time");
    EXPECT_EQ(info.Comments, "Updated at run-time");
    EXPECT_EQ(CaptionTextFor(info.FileVersion), "Tellurin v.e");
    EXPECT_EQ(CaptionTextFor(""), "Tellurin v.");
    EXPECT_EQ(CaptionTextFor("2.3.1.12"), "Tellurin v.2");
}

TEST(TExeInfoTest, ComputerNameIsAskedAfreshAndFifteenCharactersFit) {
    const std::string key = "System\\CurrentControlSet\\Control\\ComputerName\\ActiveComputerName";
    TExeInfo info(TELLURIN_EXE_PATH);
    KeySnapshot restore(HKEY_LOCAL_MACHINE, key);
    SetTextValue(HKEY_LOCAL_MACHINE, key, "ComputerName", "WORKSTATION-015");
    EXPECT_EQ(info.ComputerName(), "WORKSTATION-015");
    SetTextValue(HKEY_LOCAL_MACHINE, key, "ComputerName", "WS01");
    EXPECT_EQ(info.ComputerName(), "WS01");
}

}  // namespace
