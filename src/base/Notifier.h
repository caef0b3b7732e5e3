// What the logic tells the user: message boxes and sound cues. The window shows boxes, the console
// tool prints to stderr, tests record the calls. It lives here, below both front ends.
#pragma once

#include <string>

enum class MessageKind { Warning = 0, Error = 1, Information = 2 };

class Notifier {
public:
    virtual ~Notifier() = default;
    virtual void ShowMessageBox(const std::string& text, MessageKind kind) = 0;
    virtual void PlayPressSound() = 0;
    virtual void PlayNotifySound() = 0;
    virtual void PlayWarningSound() = 0;
};
