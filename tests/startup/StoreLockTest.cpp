// The store's lock within one process: taken again by its holder, waited for by another thread, and the
// work kept back until it is dropped.
#include <thread>

#include "StartupTestSupport.h"
#include "startup/DisabledStore.h"
#include "startup/StoreLock.h"

namespace {

TEST(StoreLockTest, HolderTakesItAgainOthersWaitAndGiveUpAndHeldBackWorkRunsOnRelease) {
    ScratchFolder folder{"C:\\" + UniqueName("tellurin_lock")};
    const std::string store = DisabledStorePath(folder.Path(), "WS01");
    std::vector<std::string> done;
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
        const StoreLock outer(store);
        const StoreLock inner(store);  // an operation inside a wider one
        AfterStoreLocks([&] { done.push_back("box"); });
        EXPECT_EQ(otherThreadTakes(), StoreBusyText(store));
        EXPECT_NE(StoreBusyText(store).find("\"" + store + "\""), std::string::npos);
        EXPECT_TRUE(done.empty());
    }
    EXPECT_EQ(done, std::vector<std::string>{"box"});
    EXPECT_EQ(otherThreadTakes(), "");  // dropped with the last holder
    AfterStoreLocks([&] { done.push_back("now"); });
    EXPECT_EQ(done.size(), 2u);
}

}  // namespace
