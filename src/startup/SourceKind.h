// One kind of startup source (registry values, Startup-folder shortcuts): how its entries are read,
// written, taken away, deleted, and which program file a row of it starts.
#pragma once

#include <string>

#include "UserProfile.h"
#include "Outcome.h"
#include "StartupEntry.h"
#include "StartupSources.h"
#include "TRegistry.h"

class StartupBook;
struct LoggedOnUser;
struct StartupPage;

// Where a scan reads one source: the source, and for a key of each user's own hive, the user.
// What a row starts, as its kind knows it: a command line to find the file in, or the file itself.
struct RowProgram {
    std::string text;
    bool isFile = false;  // text names the file as the station names it (a shortcut's target)
    bool view32 = false;  // a command of the 32-bit registry view
};

struct SourceSite {
    const StartupSource& source;
    const LoggedOnUser* user = nullptr;
};

class SourceKind {
public:
    virtual ~SourceKind() = default;
    // Appends an enabled row per entry the site holds; what cannot be read is noted in the page.
    virtual void Scan(StartupBook& book, const SourceSite& site, StartupPage& page) const = 0;
    // Writes one entry into locationKey: a tag, a user's key ("Run\bob"), or "Startup\" + user.
    virtual Outcome Write(StartupBook& book,
                          const std::string& locationKey,
                          const std::string& name,
                          const std::string& value,
                          ValueKind kind) const = 0;
    // Records an enabled entry under recordKey in the store, then takes it out of its location; when
    // it cannot be taken out, the record goes again.
    virtual Outcome TakeAway(StartupBook& book,
                             const std::string& location,
                             const std::string& appName,
                             const std::string& appPath,
                             const std::string& recordKey) const = 0;
    // Deletes an enabled entry from its location for good.
    virtual Outcome Delete(StartupBook& book,
                           const std::string& locationKey,
                           const std::string& appName,
                           const std::string& appPath) const = 0;
    // What a row of this kind starts (a shortcut is read: COM must be initialised).
    virtual RowProgram ProgramOf(const StartupEntry& row) const = 0;
    // A source that keeps disables with a switch of its own switches the entry off where it stands.
    virtual Outcome SwitchOff(StartupBook& book,
                              const std::string& locationKey,
                              const std::string& appName,
                              const std::string& appPath) const;
    // An entry that stands in its location but is switched off is switched back on; by default its
    // switch is Windows' own (StartupApproved).
    virtual Outcome SwitchOn(StartupBook& book,
                             const std::string& locationKey,
                             const std::string& appName,
                             const std::string& appPath) const;
};

// A kind whose entries are added and deleted elsewhere (Task Scheduler, an app's package), and whose
// disables its own switch keeps: adding and removing are refused with the texts given.
class SwitchedKind : public SourceKind {
public:
    SwitchedKind(const char* addRefused, const char* removeRefused)
        : addRefused_(addRefused), removeRefused_(removeRefused) {}
    Outcome Write(StartupBook& book,
                  const std::string& locationKey,
                  const std::string& name,
                  const std::string& value,
                  ValueKind kind) const override;
    Outcome TakeAway(StartupBook& book,
                     const std::string& location,
                     const std::string& appName,
                     const std::string& appPath,
                     const std::string& recordKey) const override;
    Outcome Delete(StartupBook& book,
                   const std::string& locationKey,
                   const std::string& appName,
                   const std::string& appPath) const override;

private:
    const char* addRefused_;
    const char* removeRefused_;
};

// The kinds, each defined beside its implementation.
const SourceKind& RegistryValuesKind();
const SourceKind& StartupShortcutsKind();
const SourceKind& LogonTasksKind();
const SourceKind& PackagedAppsKind();
const SourceKind& LogonValuesKind();

const SourceKind& KindOf(SourceKindId id);

// Appends the rows of one profile's Startup folder, Windows' switches applied.
void ScanUserFolder(const StartupBook& book, const UserProfile& profile, StartupPage& page);
// The kind that holds a LocationKey's (or a row Location's) entries: the Startup folders for
// "Startup" and "Startup\" + U, the kind of the source the table names, else registry values.
const SourceKind& KindOfLocation(const std::string& locationKey);
