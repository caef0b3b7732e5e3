// The local switches: the reading rule, the marks read at show, and the writer of every switch.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "RegistryApi.h"
#include "DesktopApi.h"
#include "SwitchTable.h"
#include "Outcome.h"

// A switch and whether it reads as on.
struct SwitchState {
    Switch id;
    bool on;
};

class RestrictionSwitches {
public:
    explicit RestrictionSwitches(const RegistryApi& api = RealRegistryApi(),
                                 const DesktopApi& desktop = RealDesktopApi());

    // The reading rule: true for any number but 1; false for 1, a missing value, or a key that does
    // not open with full access. Raises when the value is not a 4-byte number.
    bool ReadSwitchState(HKEY root, const std::string& keyPath, const std::string& valueName) const;
    // Every switch that is read at show, in table order, with the state its reading and sense give.
    // Raises when a value cannot be read, so that nothing is shown of a half-read set.
    std::vector<SwitchState> ReadSwitchStates() const;

    // Writes the switch's numbers for the new state into each of its values, in order, or shows or
    // hides the desktop icons. Failed with the switch's failure text when its key would not open or
    // be created (nothing stored); raises when a value is refused.
    Outcome WriteSwitch(Switch id, bool on) const;
    // Shows or hides the first child of the "ProgMan" window; nothing is reported.
    void ShowDesktopIcons(bool on) const;

private:
    const RegistryApi& api_;
    const DesktopApi& desktop_;
};
