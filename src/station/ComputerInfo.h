// The logic behind the Computer Information window: station values, switches, showing and closing.
#pragma once

#include <string>

#include "RegistryApi.h"
#include "DesktopApi.h"
#include "RestrictionSwitches.h"
#include "StationValues.h"
#include "StationView.h"
#include "Notifier.h"

// The states of TimerCommand.
inline constexpr const char kTimerStartup[] = "startup";
inline constexpr const char kTimerClose[] = "close";

class ComputerInfo {
public:
    ComputerInfo(StationView& view,
                 Notifier& notifier,
                 const RegistryApi& api = RealRegistryApi(),
                 const DesktopApi& desktop = RealDesktopApi());

    StationValues& Values() { return values_; }
    RestrictionSwitches& Switches() { return switches_; }

    // Each time the window is shown: the local computer's values and the switch marks. A failed
    // station read still lets the switches be read; its error goes on afterwards.
    void FormShow(const std::string& localComputerName);
    // Every 1000 ms, shown or not: ends "startup", and acts on "close" by closing the window.
    void Timer1Timer();
    void Button_CloseClick() { timerCommand_ = kTimerClose; }
    void xButtonClick() { timerCommand_ = kTimerClose; }
    // Runs as the window closes, whoever closed it.
    void FormClose() { timerCommand_ = kTimerClose; }

    const std::string& TimerCommand() const { return timerCommand_; }

private:
    StationView& view_;
    StationValues values_;
    RestrictionSwitches switches_;
    std::string timerCommand_;
};
