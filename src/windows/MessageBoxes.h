// The program's modal message box and its three sound cues.
#pragma once

#include <windows.h>

#include <string>

#include "Notifier.h"

// Modal box with the kind's title and icon and one OK button; returns when it is closed.
void ShowMessageBox(HWND owner, const std::string& text, MessageKind kind);

// Each cue plays its file, relative to the current directory, to the end; a missing file is silent.
void PlayPressSound();
void PlayNotifySound();
void PlayWarningSound();

// The real Notifier: boxes owned by the modal window shown at the time, otherwise by the given window;
// cues from the current directory.
class SystemNotifier : public Notifier {
public:
    explicit SystemNotifier(HWND owner = nullptr) : owner_(owner) {}
    void SetOwner(HWND owner) { owner_ = owner; }
    void ShowMessageBox(const std::string& text, MessageKind kind) override;
    void PlayPressSound() override;
    void PlayNotifySound() override;
    void PlayWarningSound() override;

private:
    HWND owner_;
};
