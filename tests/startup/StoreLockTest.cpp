// The store's lock within one process: another thread waits for it, gives up naming the store, and
// takes it as soon as it is dropped.
#include <thread>

#include "StartupTestSupport.h"
#include "DisabledStore.h"
#include "StoreLock.h"

namespace {

TEST(StoreLockTest, AnotherHolderWaitsGivesUpNamingTheStoreAndTakesItOnceDropped) {
    ScratchFolder folder{"C:\\" + UniqueName("tellurin_lock")};
    const std::string store = DisabledStorePath(folder.Path(), "WS01");
    auto otherThreadTakes = [&] {
        std::string failure;
        std::thread([&] {
            try {
                const StoreLock lock(store, std::chrono::milliseconds(100));
            } catch (const EStoreBusy& error) {
                failure = error.what();
            }
        }).join();
        return failure;
    };
    {
        const StoreLock held(store);
        EXPECT_EQ(otherThreadTakes(), StoreBusyText(store));
        EXPECT_NE(StoreBusyText(store).find("\"" + store + "\""), std::string::npos);
    }
    EXPECT_EQ(otherThreadTakes(), "");  // dropped with its holder
}

}  // namespace
