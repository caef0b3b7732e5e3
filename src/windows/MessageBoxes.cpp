// Message boxes through MessageBoxA, cues through PlaySoundA.
#include "MessageBoxes.h"

#include <mmsystem.h>

#include "SystemLibrary.h"
#include "ModalWindow.h"

namespace {

struct KindStyle {
    const char* title;
    UINT icon;
};

KindStyle StyleOf(MessageKind kind) {
    switch (kind) {
        case MessageKind::Warning:
            return {"Warning", MB_ICONWARNING};
        case MessageKind::Error:
            return {"Error", MB_ICONERROR};
        case MessageKind::Information:
            break;
    }
    return {"Information", MB_ICONINFORMATION};
}

void PlayCue(const char* file) {
    // Tested first so that a missing file stays silent instead of playing the system's default sound.
    if (GetFileAttributesA(file) == INVALID_FILE_ATTRIBUTES)
        return;
    // winmm.dll is not a known DLL of the loader: its function comes from the system folder.
    static const auto playSound = SystemFunctionAs<decltype(PlaySoundA)>("winmm.dll", "PlaySoundA");
    if (playSound)
        playSound(file, nullptr, SND_FILENAME);
}

}  // namespace

void ShowMessageBox(HWND owner, const std::string& text, MessageKind kind) {
    const KindStyle style = StyleOf(kind);
    MessageBoxA(owner, text.c_str(), style.title, MB_OK | style.icon);
}

void PlayPressSound() {
    PlayCue("media\\press.wav");
}

void PlayNotifySound() {
    PlayCue("media\\notify.wav");
}

void PlayWarningSound() {
    PlayCue("media\\warning.wav");
}

void SystemNotifier::ShowMessageBox(const std::string& text, MessageKind kind) {
    ::ShowMessageBox(MessageBoxOwner(owner_), text, kind);
}

void SystemNotifier::PlayPressSound() {
    ::PlayPressSound();
}

void SystemNotifier::PlayNotifySound() {
    ::PlayNotifySound();
}

void SystemNotifier::PlayWarningSound() {
    ::PlayWarningSound();
}
