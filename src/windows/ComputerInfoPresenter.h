// The handlers of the Computer Information window over the station logic: showing, the timer that
// closes, the station values with their boxes, cues, focus and enabling, and the switch boxes.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ComputerInfoView.h"
#include "StationInput.h"
#include "StationValues.h"
#include "SwitchBoxPresenter.h"
#include "Notifier.h"
#include "Outcome.h"

// The states of TimerCommand.
inline constexpr const char kTimerStartup[] = "startup";
inline constexpr const char kTimerClose[] = "close";

class ComputerInfoPresenter {
public:
    ComputerInfoPresenter(ComputerInfoView& view,
                          Notifier& notifier,
                          const RegistryApi& api = RealRegistryApi(),
                          const DesktopApi& desktop = RealDesktopApi());

    SwitchBoxPresenter& Switches() { return switches_; }

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

    // Fills the four fields and the proxy radios from the station. When a read raises, what was
    // read still goes into the fields (the rest shows "(Value is not set)") before the error goes on.
    void GetStationValues(const std::string& station);
    // Handlers; the window passes the texts of its controls.
    void Button_GetValuesClick(const std::string& station) { GetStationValues(station); }
    void Button_WriteValuesClick(const std::string& station,
                                 const std::string& owner,
                                 const std::string& organization);
    void Button_SetHomePageClick(const std::string& station, const std::string& homePage);
    void Button_SetProxyClick(const std::string& station, const std::string& proxyServer);
    void RB_ProxyEnabledClick() { proxyEnableChoice_ = 1; }
    void RB_ProxyDisabledClick() { proxyEnableChoice_ = 0; }
    // What Set Proxy writes as "ProxyEnable": the last radio click, or the switch last read.
    int32_t ProxyEnableChoice() const { return proxyEnableChoice_; }

    // Enabling rules, run on every change of a field's text.
    void LE_ComputerChange(const std::string& station);
    void LE_OwnersNameChange(const std::string& owner, const std::string& organization);
    void LE_OrganizationChange(const std::string& owner, const std::string& organization);
    void LE_HomePageChange(const std::string& homePage);
    void LE_ProxyChange(const std::string& proxyServer);

private:
    // Each missing text in turn: the warning cue, its error box, the focus to its field. True when
    // anything was missing.
    bool WarnMissing(const std::vector<MissingInput>& missing);
    void ShowReading(const StationReading& reading);
    // The owner and organization writes announce themselves, and warn before their error.
    void WriteIdentity(StationValues& values, const std::function<Outcome()>& write);
    // The outcome's text in a box: information when done, a warning when refused, an error when failed.
    void Report(const Outcome& outcome);

    ComputerInfoView& view_;
    Notifier& notifier_;
    const RegistryApi& api_;
    SwitchBoxPresenter switches_;
    std::string timerCommand_;
    int32_t proxyEnableChoice_ = 0;
};
