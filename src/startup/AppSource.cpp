// Startup entries that are packaged apps' startup tasks: Windows keeps each task's state per user,
// under that user's classes hive, as the State value of SystemAppData\<package family>\<task id>.
#include "SourceKind.h"

#include <cstdint>
#include <cstring>

#include "LocationKeys.h"
#include "StartupBook.h"
#include "StartupMessages.h"

namespace {

inline constexpr const char* kComesWithItsPackage =
    "Could NOT add or remove a packaged app's startup task: it comes and goes with the app's package, "
    "nothing was changed !";

// The states Windows writes: 0 off, 1 off by the user, 2 on, 3 off by policy, 4 on by policy.
enum AppTaskState : int32_t { kOff = 0, kOffByUser = 1, kOn = 2, kOffByPolicy = 3, kOnByPolicy = 4 };

std::optional<int32_t> StateOf(TRegistry& registry) {
    const std::optional<RegistryValue> value = registry.ReadValue("State");
    if (!value || value->kind != ValueKind::Number || value->data.size() < sizeof(int32_t))
        return std::nullopt;
    int32_t state = 0;
    memcpy(&state, value->data.data(), sizeof state);
    return state;
}

// "MSTeams_8wekyb3d8bbwe" and "TeamsTfwStartupTask" give "MSTeams TeamsTfwStartupTask".
std::string RowName(const std::string& family, const std::string& task) {
    return family.substr(0, family.find('_')) + " " + task;
}

class PackagedApps : public SwitchedKind {
public:
    PackagedApps() : SwitchedKind(kComesWithItsPackage, kComesWithItsPackage) {}

    void Scan(StartupBook& book, const SourceSite& site, StartupPage& page) const override {
        const StartupSource& source = site.source;
        const std::string location =
            site.user != nullptr ? UserRowLocation(site.user->name, source) : source.tag;
        const std::string base = site.user != nullptr ? "\\" + site.user->sid + "_Classes" + source.keyPath
                                                      : std::string(source.keyPath);
        TRegistry registry(book.Api());
        if (!book.CurrentStation().HasRoot(source.root) ||
            !book.CurrentStation().SelectRoot(registry, source.root) || !registry.OpenPathForReading(base))
            return;  // no packaged app has run for this user
        std::vector<std::string> families;
        registry.ListKeyNames(families);
        for (const std::string& family : families) {
            std::vector<std::string> tasks;
            if (registry.OpenPathForReading(base + "\\" + family))
                registry.ListKeyNames(tasks);
            for (const std::string& task : tasks)
                if (registry.OpenPathForReading(base + "\\" + family + "\\" + task))
                    AppendTask(registry, family, task, location, page);
        }
    }

    RowProgram ProgramOf(const StartupEntry&) const override { return {"", true, false}; }

    // As Task Manager does: off by the user.
    Outcome SwitchOff(StartupBook& book,
                      const std::string& locationKey,
                      const std::string& appName,
                      const std::string& appPath) const override {
        return SetState(book, locationKey, appName, appPath, kOffByUser);
    }

    Outcome SwitchOn(StartupBook& book,
                     const std::string& locationKey,
                     const std::string& appName,
                     const std::string& appPath) const override {
        return SetState(book, locationKey, appName, appPath, kOn);
    }

private:
    static void AppendTask(TRegistry& registry,
                           const std::string& family,
                           const std::string& task,
                           const std::string& location,
                           StartupPage& page) {
        const std::optional<int32_t> state = StateOf(registry);
        if (!state)
            return;  // a subkey such as Schemas is no startup task
        StartupEntry row = StartupEntry::Enabled(RowName(family, task), family, location);
        if (*state != kOn && *state != kOnByPolicy)
            row.state = EntryState::SwitchedOff;
        if (*state == kOffByPolicy || *state == kOnByPolicy)
            row.hold = EntryHold::Policy;
        page.rows.push_back(std::move(row));
    }

    // The row names the family's short name and the task id; its command is the whole family name.
    static Outcome SetState(StartupBook& book,
                            const std::string& locationKey,
                            const std::string& appName,
                            const std::string& family,
                            int32_t state) {
        const size_t space = appName.find(' ');
        const StartupSource* source = SourceOfLocation(locationKey);
        if (space == std::string::npos || source == nullptr)
            return Outcome::Refused(AtLocation(locationKey, kCouldNotOpenRegistry));
        std::string base = source->keyPath;
        if (const std::optional<UserKey> key = UserKeyOf(locationKey)) {
            const std::optional<LoggedOnUser> user =
                LoggedOnUserNamed(key->user, book.Api(), book.CurrentStation());
            if (!user)
                return Outcome::Refused(AtLocation(locationKey, NotLoggedOnText(key->user)));
            base = "\\" + user->sid + "_Classes" + base;
        }
        TRegistry registry(book.Api());
        if (!book.CurrentStation().SelectRoot(registry, source->root) ||
            !registry.OpenPath(base + "\\" + family + "\\" + appName.substr(space + 1), false))
            return Outcome::Refused(AtLocation(locationKey, kCouldNotOpenRegistry));
        const std::optional<int32_t> now = StateOf(registry);
        if (now == kOffByPolicy || now == kOnByPolicy)
            return Outcome::Refused(AtLocation(locationKey, kSetByPolicy));
        registry.WriteNumber("State", state);
        return Outcome::Done();
    }
};

}  // namespace

const SourceKind& PackagedAppsKind() {
    static const PackagedApps kind;
    return kind;
}
