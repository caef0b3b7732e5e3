// Pumping, probes and the test machine for the window tests.
#include "gui/GuiTestSupport.h"

#include <commctrl.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>

#include "TExeInfo.h"
#include "ShellLink.h"
#include "WidgetClasses.h"

namespace {

std::map<UINT_PTR, LoopProbe*>& Probes() {
    static std::map<UINT_PTR, LoopProbe*> probes;
    return probes;
}

void DeleteFolderTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string path = folder + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                DeleteFolderTree(path);
            else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

}  // namespace

void PumpMessages(DWORD milliseconds) {
    PumpUntil([] { return false; }, milliseconds);
}

bool PumpUntil(const std::function<bool()>& condition, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                continue;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (condition())
            return true;
        if (GetTickCount() - start >= milliseconds)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

LoopProbe::LoopProbe(UINT interval, std::function<bool()> step) : step_(std::move(step)) {
    timer_ = SetTimer(nullptr, 0, interval, Tick);
    Probes()[timer_] = this;
}

LoopProbe::~LoopProbe() {
    KillTimer(nullptr, timer_);
    Probes().erase(timer_);
}

void CALLBACK LoopProbe::Tick(HWND, UINT, UINT_PTR id, DWORD) {
    auto found = Probes().find(id);
    if (found == Probes().end() || found->second->done_ || found->second->running_)
        return;
    // A step may open a message box, whose own loop dispatches this timer again: not re-entered.
    LoopProbe* probe = found->second;
    probe->running_ = true;
    probe->done_ = probe->step_();
    probe->running_ = false;
}

std::string TextOf(HWND window) {
    std::string text(GetWindowTextLengthA(window) + 1, '\0');
    text.resize(GetWindowTextA(window, text.data(), static_cast<int>(text.size())));
    return text;
}

std::string ComputerNameNow() {
    return TExeInfo(OwnExecutablePath()).ComputerName();
}

std::string ProgramFolder() {
    std::string path = OwnExecutablePath();
    return path.substr(0, path.find_last_of('\\'));
}

TestMachine::TestMachine() {
    const std::pair<HKEY, std::string> keys[] = {
        {HKEY_LOCAL_MACHINE, kRun},
        {HKEY_LOCAL_MACHINE, kRunOnce},
        {HKEY_CURRENT_USER, kRun},
        {HKEY_USERS, std::string(".DEFAULT\\") + kRunOnce},
    };
    for (const auto& [root, path] : keys) {
        keys_.push_back(std::make_unique<KeySnapshot>(root, path));
        for (const std::string& name : ValueNames(root, path)) {
            HKEY key = nullptr;
            if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
                RegDeleteValueA(key, name.c_str());
                RegCloseKey(key);
            }
        }
    }
    std::ifstream store(StorePath(), std::ios::binary);
    hadStore_ = static_cast<bool>(store);
    if (hadStore_)
        savedStore_.assign(std::istreambuf_iterator<char>(store), {});
    DeleteFileA(StorePath().c_str());
}

TestMachine::~TestMachine() {
    for (const std::string& user : profiles_)
        DeleteFolderTree("C:\\Docume~1\\" + user);
    DeleteFileA(StorePath().c_str());
    if (hadStore_)
        WriteStore(savedStore_);
}

std::string TestMachine::StorePath() const {
    return ProgramFolder() + "\\" + ComputerNameNow() + "_reg_disabled.ini";
}

void TestMachine::WriteStore(const std::string& content) {
    std::ofstream(StorePath(), std::ios::binary | std::ios::trunc) << content;
}

std::string TestMachine::StoreContent() const {
    std::ifstream store(StorePath(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(store), {});
}

void TestMachine::AddProfileShortcut(const std::string& user,
                                     const std::string& name,
                                     const std::string& target) {
    std::string folder = "C:\\Docume~1\\" + user;
    if (std::find(profiles_.begin(), profiles_.end(), user) == profiles_.end())
        profiles_.push_back(user);
    for (const char* part : {"", "\\Start Menu", "\\Start Menu\\Programs", "\\Start Menu\\Programs\\Startup"})
        CreateDirectoryA((folder + part).c_str(), nullptr);
    CreateShortcut(target, folder + "\\Start Menu\\Programs\\Startup\\", name);
}

namespace {

// COM for the shell links and the skinned controls' classes, once for the whole test program.
class WindowEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        CoInitialize(nullptr);
        const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                            ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
        RegisterWidgetClasses(GetModuleHandleA(nullptr));
    }
    void TearDown() override { CoUninitialize(); }
};

const ::testing::Environment* const kEnvironment = ::testing::AddGlobalTestEnvironment(new WindowEnvironment);

}  // namespace
