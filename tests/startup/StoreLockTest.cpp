// The store's lock within one process: another thread waits for it, gives up naming the store, and
// takes it as soon as it is dropped; its file is there only while it is held. What Wine does not do
// (a file being deleted refuses opens, a folder refuses new files) is staged through the lock's calls.
#include <filesystem>
#include <thread>

#include "StartupTestSupport.h"
#include "DisabledStore.h"
#include "StoreLock.h"

namespace {

// What another thread meets when it takes the lock of store: "" once it had it, else the error's text.
std::string OtherThreadTakes(const std::string& store, const LockFileApi& api = {}) {
    std::string failure;
    std::thread([&] {
        try {
            const StoreLock lock(store, std::chrono::milliseconds(100), api);
        } catch (const std::exception& error) {
            failure = error.what();
        }
    }).join();
    return failure;
}

TEST(StoreLockTest, AnotherHolderWaitsGivesUpNamingTheStoreAndTakesItOnceDropped) {
    ScratchFolder folder{"C:\\" + UniqueName("tellurin_lock")};
    const std::string store = DisabledStorePath(folder.Path(), "WS01");
    {
        const StoreLock held(store);
        EXPECT_TRUE(PathExists(store + ".lock"));
        EXPECT_EQ(OtherThreadTakes(store), StoreBusyText(store));
        EXPECT_NE(StoreBusyText(store).find("\"" + store + "\""), std::string::npos);
    }
    EXPECT_EQ(OtherThreadTakes(store), "");  // dropped with its holder
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));

    // One left by an older Tellurin is taken, and goes with it.
    WriteBytes(store + ".lock", "left behind");
    EXPECT_EQ(OtherThreadTakes(store), "");
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
    // A folder of that name will never be free: said at once, not waited for.
    std::filesystem::create_directory(store + ".lock");
    EXPECT_TRUE(OtherThreadTakes(store).starts_with("Cannot open file \"" + store + ".lock\". "));
}

// Opens refused with access denied while refusals last; then the real calls. The attributes seen
// meanwhile are staged too.
struct Staged {
    int refusals = 0;
    DWORD attributes = INVALID_FILE_ATTRIBUTES;
    DWORD attributesError = ERROR_ACCESS_DENIED;
    int opens = 0;
};
Staged staged;

HANDLE WINAPI RefusingCreateFile(LPCSTR path,
                                 DWORD access,
                                 DWORD share,
                                 LPSECURITY_ATTRIBUTES security,
                                 DWORD disposition,
                                 DWORD flags,
                                 HANDLE from) {
    ++staged.opens;
    if (staged.refusals > 0) {
        --staged.refusals;
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    return CreateFileA(path, access, share, security, disposition, flags, from);
}

DWORD WINAPI StagedAttributes(LPCSTR) {
    SetLastError(staged.attributesError);
    return staged.attributes;
}

TEST(StoreLockTest, AnOpenRefusedWhileTheFileIsDeletedWaitsAndOneRefusedForGoodSaysSo) {
    ScratchFolder folder{"C:\\" + UniqueName("tellurin_lock")};
    const std::string store = DisabledStorePath(folder.Path(), "WS01");
    const LockFileApi api{RefusingCreateFile, StagedAttributes};
    const std::string deniedOpen = "Cannot open file \"" + store + ".lock\". ";
    const std::string deniedCreate = "Cannot create file \"" + store + ".lock\". ";
    const struct {
        const char* name;
        Staged staged;
        std::string result;  // its start
        int opens;
    } cases[] = {
        // Deleted while a scanner still has it: held for the whole wait, then free.
        {"delete pending", {1000, INVALID_FILE_ATTRIBUTES, ERROR_ACCESS_DENIED}, StoreBusyText(store), 0},
        {"delete pending a moment", {2, INVALID_FILE_ATTRIBUTES, ERROR_ACCESS_DENIED}, "", 3},
        {"still listed while deleted", {2, FILE_ATTRIBUTE_ARCHIVE, 0}, "", 3},
        // Gone by the time it was looked at: tried again at once.
        {"deleted meanwhile", {2, INVALID_FILE_ATTRIBUTES, ERROR_FILE_NOT_FOUND}, "", 3},
        // Refused with no file there, again and again: the folder refuses new files.
        {"folder refuses", {1000, INVALID_FILE_ATTRIBUTES, ERROR_FILE_NOT_FOUND}, deniedCreate, 3},
        {"read-only file", {1000, FILE_ATTRIBUTE_READONLY, 0}, deniedOpen, 1},
    };
    for (const auto& c : cases) {
        staged = c.staged;
        const std::string result = OtherThreadTakes(store, api);
        EXPECT_TRUE(c.result.empty() ? result.empty() : result.starts_with(c.result))
            << c.name << ": " << result;
        if (c.opens > 0) {
            EXPECT_EQ(staged.opens, c.opens) << c.name;
        }
        EXPECT_TRUE(std::filesystem::is_empty(folder.Path())) << c.name;
    }
}

}  // namespace
