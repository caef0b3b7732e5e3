// Shared by the window tests: message pumping, a cue recorder, and a machine the tests own.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/KeySnapshot.h"
#include "support/RecordingNotifier.h"

// Dispatches this thread's messages for the given time.
void PumpMessages(DWORD milliseconds);
// Dispatches messages until the condition holds or the time is up; true when it held.
bool PumpUntil(const std::function<bool()>& condition, DWORD milliseconds = 3000);

// Runs a check from inside whatever message loop runs next (a modal window's, say), every
// interval until it returns true.
class LoopProbe {
public:
    LoopProbe(UINT interval, std::function<bool()> step);
    ~LoopProbe();
    bool Done() const { return done_; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD);
    UINT_PTR timer_;
    std::function<bool()> step_;
    bool done_ = false;
    bool running_ = false;
};

std::string TextOf(HWND window);
std::string ComputerNameNow();
std::string ProgramFolder();

// Registry keys, profiles and the store of the test executable's folder, as a test leaves them.
class TestMachine {
public:
    TestMachine();
    ~TestMachine();
    // A shortcut name + ".lnk" to target in the user's Startup folder; the profile goes at the end.
    void AddProfileShortcut(const std::string& user, const std::string& name, const std::string& target);
    void WriteStore(const std::string& content);
    std::string StoreContent() const;
    std::string StorePath() const;

    static constexpr const char* kRun = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
    static constexpr const char* kRunOnce = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

private:
    std::vector<std::unique_ptr<KeySnapshot>> keys_;
    std::vector<std::string> profiles_;
    bool hadStore_ = false;
    std::string savedStore_;
};
