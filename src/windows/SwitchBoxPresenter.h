// The switch boxes of Computer Information: a click writes its switch and colours the box, Check All
// applies every box, and a showing marks the boxes from the registry.
#pragma once

#include <windows.h>

#include "ComputerInfoView.h"
#include "RestrictionSwitches.h"
#include "SwitchBoxes.h"
#include "Notifier.h"

// PaintSwitch colours: accent blue with white text when checked, the window's background with black.
inline constexpr COLORREF kSwitchCheckedBackground = 0xB35900;
inline constexpr COLORREF kSwitchCheckedText = 0xFFFFFF;
inline constexpr COLORREF kSwitchUncheckedBackground = 0xFFECD9;
inline constexpr COLORREF kSwitchUncheckedText = 0x000000;

class SwitchBoxPresenter {
public:
    SwitchBoxPresenter(ComputerInfoView& view,
                       Notifier& notifier,
                       const RegistryApi& api = RealRegistryApi(),
                       const DesktopApi& desktop = RealDesktopApi());

    // The click handler of every switch box, Check All's included, with the box's new mark (the
    // click toggled it already). The invisible boxes have nothing to do.
    void SwitchBoxClick(SwitchBox box, bool checked);
    // Sets and applies every box in the Check All order; boxes already at the mark are written again.
    void SetAllSwitches(bool checked);
    // Reads every switch first, then colours and marks its box; when a value cannot be read, raises
    // before any box changes.
    void LoadSwitchMarks();
    void PaintSwitch(SwitchBox box, bool checked);

private:
    // Writes the new mark; when nothing was stored, the box goes back to its previous mark.
    void ApplySwitch(SwitchBox box, Switch id, bool checked, bool previous);
    void PutBack(SwitchBox box, bool previous);

    ComputerInfoView& view_;
    Notifier& notifier_;
    RestrictionSwitches switches_;
};
