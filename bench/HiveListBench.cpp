// Lists the HKCU\..\Run and HKU\..\RunOnce views of this computer with five users who are not logged
// on, each with a registry file of 20 MiB (written by hivex at build time): the bytes the process read
// per file, and the time the five users add to the listing against a floor that opens each file and
// reads as many bytes raw. How to run: bench/run.sh hive_list_bench
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "StartupBook.h"
#include "UniqueHandle.h"

namespace {

constexpr int kUsers = 5;
constexpr int kRounds = 41;
constexpr uint64_t kMostBytes = 256 * 1024;
constexpr double kMostToFloor = 1.3;
const std::string kFolder = "C:\\tellurin_hive_list_bench";
const std::string kProfileList = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList\\";

std::string Sid(int user) {
    return "S-1-5-21-7-7-7-" + std::to_string(2000 + user);
}

// Each user's profile folder holds a copy of one of the generated files as NTUSER.DAT.
void StageUsers() {
    for (int user = 1; user <= kUsers; ++user) {
        const std::string folder = kFolder + "\\user" + std::to_string(user);
        std::filesystem::create_directories(folder);
        CopyFileA((std::string(TELLURIN_BENCH_HIVES) + "\\user" + std::to_string(user) + ".dat").c_str(),
                  (folder + "\\NTUSER.DAT").c_str(), FALSE);
        RegSetKeyValueA(HKEY_LOCAL_MACHINE, (kProfileList + Sid(user)).c_str(), "ProfileImagePath", REG_SZ,
                        folder.c_str(), static_cast<DWORD>(folder.size() + 1));
    }
}

void RemoveUsers() {
    for (int user = 1; user <= kUsers; ++user)
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, (kProfileList + Sid(user)).c_str());
    std::filesystem::remove_all(kFolder);
}

std::vector<const StartupSource*> UserRegistryKinds() {
    std::vector<const StartupSource*> kinds;
    for (const StartupSource& source : StartupSources())
        if (source.scope == SourceScope::EachUser && source.IsRegistry())
            kinds.push_back(&source);
    return kinds;
}

std::vector<LoggedOffUser> StagedUsers() {
    std::vector<LoggedOffUser> users = LoggedOffUsers(ListedProfiles(RealRegistryApi()), Station(), {});
    std::erase_if(users, [](const LoggedOffUser& user) { return !user.hiveFile.starts_with(kFolder); });
    return users;
}

// What a listing reads of each user's file: the keys of each user's Run family and the switches.
uint64_t BytesOfEachFile() {
    const std::vector<const StartupSource*> kinds = UserRegistryKinds();
    uint64_t most = 0;
    for (const LoggedOffUser& user : StagedUsers())
        if (const std::optional<UserFileKeys> keys = ReadUserFileKeys(user, kinds))
            most = std::max(most, keys->bytesRead);
    return most;
}

struct Listing {
    double ms;
    uint64_t bytes;  // of the file that took the most
    size_t rows;
};

// The two views a script lists of each user's keys, in one book, as tellurinc does for a station.
Listing List() {
    StartupBook book;
    book.SetAppDir(kFolder);
    book.SetComputerName("BENCH");
    book.KeepLoggedOnUsers(true);
    size_t rows = 0;
    const double ms = TimeOf([&] {
        for (const char* view : {"HKCU_Run", "HKU_RunOnce"}) {
            StartupPage page;
            book.ReadView(view, page);
            rows += page.rows.size();
        }
    });
    return {ms, BytesOfEachFile(), rows};
}

// What finding the users costs at the least: ProfileList opened and listed, each profile's key opened,
// its ProfileImagePath read, and closed.
void FindProfilesBare() {
    HKEY list = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kProfileList.substr(0, kProfileList.size() - 1).c_str(), 0,
                      KEY_READ, &list) != ERROR_SUCCESS)
        return;
    char name[256];
    for (DWORD index = 0;; ++index) {
        DWORD size = sizeof name;
        if (RegEnumKeyExA(list, index, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        HKEY profile = nullptr;
        if (RegOpenKeyExA(list, name, 0, KEY_READ, &profile) != ERROR_SUCCESS)
            continue;
        char path[MAX_PATH];
        DWORD pathSize = sizeof path;
        RegQueryValueExA(profile, "ProfileImagePath", nullptr, nullptr, reinterpret_cast<BYTE*>(path),
                         &pathSize);
        RegCloseKey(profile);
    }
    RegCloseKey(list);
}

}  // namespace

int main() {
    RemoveUsers();
    std::filesystem::create_directories(kFolder);
    const Listing without = List();  // warms the caches; also the cost of the views alone
    StageUsers();
    const Listing with = List();
    std::vector<double> added, floors, reads, finding;
    const std::vector<LoggedOffUser> users = StagedUsers();
    const std::vector<const StartupSource*> kinds = UserRegistryKinds();
    for (int round = 0; round < kRounds; ++round) {
        reads.push_back(TimeOf([&] {
            for (const LoggedOffUser& user : users)
                ReadUserFileKeys(user, kinds);
        }));
        const double findingWith = TimeOf(FindProfilesBare);
        RemoveUsers();
        std::filesystem::create_directories(kFolder);
        finding.push_back(findingWith - TimeOf(FindProfilesBare));
        const double alone = List().ms;
        StageUsers();
        added.push_back(List().ms - alone);
        const uint64_t perFile = with.bytes;
        floors.push_back(TimeOf([&] {
            for (int user = 1; user <= kUsers; ++user)
                ReadFilePages(kFolder + "\\user" + std::to_string(user) + "\\NTUSER.DAT", perFile);
        }));
    }
    RemoveUsers();
    const double perFile = static_cast<double>(with.bytes) / 1024.0;
    std::printf("Listing with %d users not logged on (20 MiB files): %zu rows, %zu without them\n", kUsers,
                with.rows, without.rows);
    std::printf("Target: bytes read per file at most 256 KiB: %.1f KiB, %s\n", perFile,
                with.bytes <= kMostBytes ? "met" : "MISSED");
    const double ratio = Median(added) / Median(floors);
    std::printf("Target: time the users add, at most %.1fx the floor: %.3f ms against %.3f ms, %.2fx, %s\n",
                kMostToFloor, Median(added), Median(floors), ratio, ratio <= kMostToFloor ? "met" : "MISSED");
    // The rest of what the users add is finding them: ProfileList, which the floor is not asked.
    std::printf("Of which reading the five files: %.3f ms, %.2fx the floor\n", Median(reads),
                Median(reads) / Median(floors));
    const double fairFloor = Median(floors) + Median(finding);
    std::printf(
        "Against a floor that also finds the five in ProfileList (%.3f ms more, bare calls): %.3f ms, "
        "%.2fx\n",
        Median(finding), fairFloor, Median(added) / fairFloor);
    return 0;
}
