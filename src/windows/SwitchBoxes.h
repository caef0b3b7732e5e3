// The check boxes of the lower band: the switch each stands for, its caption and its hint.
#pragma once

#include <optional>
#include <vector>

#include "ComputerInfoView.h"
#include "SwitchTable.h"

struct SwitchBoxSpec {
    SwitchBox box;
    const char* caption;           // as the control's text: "&&" shows one "&"
    std::optional<Switch> stands;  // the switch a click changes; none for the invisible boxes
    const char* hint = "";         // empty: none
};

// Every box in the order of SwitchBox (CB_CheckAll excepted), which is also the Check All order.
const std::vector<SwitchBoxSpec>& SwitchBoxTable();
const SwitchBoxSpec& SwitchBoxSpecOf(SwitchBox box);
// The box that shows a switch.
SwitchBox BoxOf(Switch id);
