// A Notifier that records every box and cue in order, for the logic tests.
#pragma once

#include <string>
#include <vector>

#include "Notifier.h"

class RecordingNotifier : public Notifier {
public:
    // Each event as text: "Warning: <text>", "Error: <text>", "Information: <text>", or "sound
    // press|notify|warning".
    std::vector<std::string> events;

    void ShowMessageBox(const std::string& text, MessageKind kind) override {
        static const char* const kTitles[] = {"Warning", "Error", "Information"};
        events.push_back(std::string(kTitles[static_cast<int>(kind)]) + ": " + text);
    }
    void PlayPressSound() override { events.push_back("sound press"); }
    void PlayNotifySound() override { events.push_back("sound notify"); }
    void PlayWarningSound() override { events.push_back("sound warning"); }
};
