// Fixtures of the startup tests: COM for the test thread, a fake view, scratch folders and profiles,
// and the registry keys of the four locations put back after each test.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "StartupPresenter.h"
#include "StartupView.h"
#include "support/FaultyRegistryApi.h"
#include "support/KeySnapshot.h"
#include "support/RecordingNotifier.h"

// Keeps what the logic showed, as a list view and its neighbours would.
class FakeStartupView : public StartupView {
public:
    std::vector<StartupEntry> rows;
    std::optional<std::string> countLabel;
    std::string notes;
    std::vector<std::string> users;
    std::vector<StartupField> focus;
    int showCalls = 0;

    void ShowRows(std::vector<StartupEntry> shown) override {
        rows = std::move(shown);
        ++showCalls;
    }
    void SetCountLabel(const std::string& text) override { countLabel = text; }
    void SetNotes(const std::string& text) override { notes = text; }
    void SetUsers(const std::vector<std::string>& names) override { users = names; }
    void Focus(StartupField field) override { focus.push_back(field); }

    // Each row as "name|path|location|status|image".
    std::vector<std::string> Lines() const;
};

// A folder that exists for the life of the object; its Windows path has no trailing backslash.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& path);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// A file deleted when the object goes, however the test ends.
struct FileRemover {
    std::string path;
    ~FileRemover() { DeleteFileA(path.c_str()); }
};

// A name no other test binary uses at the same time.
std::string UniqueName(const std::string& stem);

// A user profile under C:\Docume~1\ with an empty Startup folder, removed with everything in it.
class TestProfile {
public:
    explicit TestProfile(const std::string& stem, bool withStartupFolder = true);
    const std::string& Name() const { return name_; }
    std::string StartupFolder() const;

private:
    std::string name_;
    std::unique_ptr<ScratchFolder> folder_;
};

void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);  // "<missing>" when there is no file
bool PathExists(const std::string& path);
void ClearValues(HKEY root, const std::string& path);

inline const char* kRunPath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline const char* kRunOncePath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
inline const char* kDefaultRunOncePath = ".DEFAULT\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

// The main window's presenter of the startup book on a scratch AppDir and computer name, with the faulty
// registry API and recorders.
class StartupListTest : public ::testing::Test {
protected:
    StartupListTest();

    std::string StorePath() const { return list.Book().DisabledStoreFile(); }
    // Runs a call that must raise one of the program's errors; gives its text.
    template <typename Call>
    static std::string ErrorOf(Call call) {
        try {
            call();
        } catch (const std::exception& error) {
            return error.what();
        }
        return "no error";
    }

    ScopedFaults faults;
    KeySnapshot hkcuRun{HKEY_CURRENT_USER, kRunPath};
    KeySnapshot hklmRun{HKEY_LOCAL_MACHINE, kRunPath};
    KeySnapshot hklmRunOnce{HKEY_LOCAL_MACHINE, kRunOncePath};
    KeySnapshot hkuRunOnce{HKEY_USERS, kDefaultRunOncePath};
    ScratchFolder appDir{"C:\\" + UniqueName("tellurin_app")};
    FakeStartupView view;
    RecordingNotifier notifier;
    StartupPresenter list{view, notifier, FaultyRegistryApi()};
};
