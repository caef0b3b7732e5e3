// The check boxes of the lower band: caption, registry binding, numbers, handler, failure text, hint.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "StationView.h"

class RestrictionSwitches;

// Whether a box is checked when the reading rule gives true (Direct) or false (Negated).
enum class SwitchSense { Direct, Negated };

// What a click on a box changes.
enum class SwitchEffect { None, RegistryNumbers, DesktopIcons };

// A box's named click handler, run with the box's new mark.
using SwitchClickHandler = void (RestrictionSwitches::*)(bool checked);

struct SwitchSpec {
    SwitchBox box;
    const char* caption;                   // as the control's text: "&&" shows one "&"
    HKEY root = nullptr;                   // nullptr: no registry binding
    const char* keyPath = "";              // as passed to OpenPath
    std::vector<std::string> values = {};  // written in this order
    std::string readValue = {};            // read when the window is shown; empty: not read
    int32_t checkedNumber = 0;
    int32_t uncheckedNumber = 1;
    SwitchSense sense = SwitchSense::Direct;
    SwitchEffect effect = SwitchEffect::None;
    SwitchClickHandler click = nullptr;    // nullptr: the box has no click handler
    const char* failureMessage = nullptr;  // nullptr: worded from the key and value
    const char* hint = "";                 // empty: none
};

// Every box in the order of SwitchBox (CB_CheckAll excepted), which is also the Check All order.
const std::vector<SwitchSpec>& SwitchTable();
const SwitchSpec& SwitchSpecOf(SwitchBox box);
// The handler a click on the box runs, Check All's included; nullptr for the invisible boxes.
SwitchClickHandler ClickHandlerOf(SwitchBox box);

// Shown when a switch's key cannot be opened or created, so that the user learns nothing was stored.
std::string SwitchFailureMessage(const SwitchSpec& spec);

// Key paths of the switches, as the program spells them.
namespace switch_keys {
inline constexpr const char kSystemPolicies[] =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System\\";
inline constexpr const char kExplorerPolicies[] =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\";
inline constexpr const char kExplorerAdvanced[] =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced\\";
inline constexpr const char kCommandPolicies[] = "\\Software\\Policies\\Microsoft\\Windows\\System\\";
inline constexpr const char kErrorReporting[] = "\\SOFTWARE\\Microsoft\\PCHealth\\ErrorReporting\\";
inline constexpr const char kCleanupWizard[] =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Desktop\\CleanupWiz\\";
}  // namespace switch_keys
