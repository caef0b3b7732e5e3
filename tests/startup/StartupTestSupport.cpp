// COM environment, fake view, scratch folders and profiles of the startup tests.
#include "StartupTestSupport.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

class ComEnvironment : public ::testing::Environment {
public:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr))); }
    void TearDown() override { CoUninitialize(); }
};

[[maybe_unused]] ::testing::Environment* const kCom = ::testing::AddGlobalTestEnvironment(new ComEnvironment);

}  // namespace

std::vector<std::string> FakeStartupView::Lines() const {
    std::vector<std::string> lines;
    for (const StartupEntry& row : rows)
        lines.push_back(row.appName + "|" + row.appPath + "|" + row.location + "|" + row.Status() + "|" +
                        std::to_string(row.StateImage()));
    return lines;
}

ScratchFolder::ScratchFolder(const std::string& path) : path_(path) {
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string UniqueName(const std::string& stem) {
    static int counter = 0;
    return stem + "_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++counter);
}

TestProfile::TestProfile(const std::string& stem, bool withStartupFolder)
    : name_(UniqueName(stem)), folder_(std::make_unique<ScratchFolder>("C:\\Docume~1\\" + name_)) {
    if (withStartupFolder)
        std::filesystem::create_directories(StartupFolder());
}

std::string TestProfile::StartupFolder() const {
    return "C:\\Docume~1\\" + name_ + "\\Start Menu\\Programs\\Startup\\";
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return "<missing>";
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

bool PathExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void ClearValues(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    for (const std::string& name : ValueNames(root, path))
        RegDeleteValueA(key, name.c_str());
    RegCloseKey(key);
}

StartupListTest::StartupListTest() {
    list.Book().SetAppDir(appDir.Path());
    list.Book().SetComputerName("WS01");
    // Each test starts from empty location keys; the snapshots put the prefix's values back.
    for (auto [root, path] :
         {std::pair{HKEY_CURRENT_USER, kRunPath}, std::pair{HKEY_LOCAL_MACHINE, kRunPath},
          std::pair{HKEY_LOCAL_MACHINE, kRunOncePath}, std::pair{HKEY_USERS, kDefaultRunOncePath}})
        ClearValues(root, path);
}
