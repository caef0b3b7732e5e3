// Showing the Computer Information window and its timer-driven close.
#include "ComputerInfo.h"

#include <exception>

ComputerInfo::ComputerInfo(StationView& view,
                           Notifier& notifier,
                           const RegistryApi& api,
                           const DesktopApi& desktop)
    : view_(view), values_(view, notifier, api), switches_(view, notifier, api, desktop) {}

void ComputerInfo::FormShow(const std::string& localComputerName) {
    timerCommand_ = kTimerStartup;
    view_.SetFieldText(StationField::LE_Computer, localComputerName);
    // A station without "ProxyEnable" is common; its error must not leave the switches unread.
    std::exception_ptr stationError;
    try {
        values_.GetStationValues(localComputerName);
    } catch (...) {
        stationError = std::current_exception();
    }
    switches_.LoadSwitchMarks();
    if (stationError)
        std::rethrow_exception(stationError);
}

void ComputerInfo::Timer1Timer() {
    if (timerCommand_ == kTimerStartup)
        timerCommand_.clear();
    if (timerCommand_ == kTimerClose) {
        view_.CloseForm();
        timerCommand_.clear();
    }
}
