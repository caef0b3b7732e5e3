// Showing and closing Computer Information, and what its station handlers show, say and enable.
#include "ComputerInfoPresenter.h"

#include <exception>

namespace {

StationField FieldOf(StationInput input) {
    switch (input) {
        case StationInput::Station:
            return StationField::LE_Computer;
        case StationInput::Owner:
            return StationField::LE_OwnersName;
        case StationInput::Organization:
            break;
    }
    return StationField::LE_Organization;
}

MessageKind KindOf(const Outcome& outcome) {
    switch (outcome.kind()) {
        case Outcome::Kind::Done:
            return MessageKind::Information;
        case Outcome::Kind::Refused:
            return MessageKind::Warning;
        case Outcome::Kind::Failed:
            break;
    }
    return MessageKind::Error;
}

}  // namespace

ComputerInfoPresenter::ComputerInfoPresenter(ComputerInfoView& view,
                                             Notifier& notifier,
                                             const RegistryApi& api,
                                             const DesktopApi& desktop)
    : view_(view), notifier_(notifier), api_(api), switches_(view, notifier, api, desktop) {}

void ComputerInfoPresenter::FormShow(const std::string& localComputerName) {
    timerCommand_ = kTimerStartup;
    view_.SetFieldText(StationField::LE_Computer, localComputerName);
    // A station without "ProxyEnable" is common; its error must not leave the switches unread.
    std::exception_ptr stationError;
    try {
        GetStationValues(localComputerName);
    } catch (...) {
        stationError = std::current_exception();
    }
    switches_.LoadSwitchMarks();
    if (stationError)
        std::rethrow_exception(stationError);
}

void ComputerInfoPresenter::Timer1Timer() {
    if (timerCommand_ == kTimerStartup)
        timerCommand_.clear();
    if (timerCommand_ == kTimerClose) {
        view_.CloseForm();
        timerCommand_.clear();
    }
}

void ComputerInfoPresenter::GetStationValues(const std::string& station) {
    if (WarnMissing(MissingToGetValues(station)))
        return;
    StationValues values(station, api_);
    StationReading reading;
    std::exception_ptr failure;
    try {
        values.GetStationValues(reading);
    } catch (...) {
        // The fields must not keep another station's values: show what was read, then the error.
        failure = std::current_exception();
    }
    ShowReading(reading);
    if (failure)
        std::rethrow_exception(failure);
}

void ComputerInfoPresenter::ShowReading(const StationReading& reading) {
    view_.MarkProxyRadio(reading.proxyOn ? ProxyRadio::RB_ProxyEnabled : ProxyRadio::RB_ProxyDisabled);
    // Set Proxy right after a read must write back what the radios show, not an older click.
    proxyEnableChoice_ = reading.proxyOn ? 1 : 0;
    view_.SetFieldText(StationField::LE_OwnersName, reading.owner);
    view_.SetFieldText(StationField::LE_Organization, reading.organization);
    view_.SetFieldText(StationField::LE_HomePage, reading.homePage);
    view_.SetFieldText(StationField::LE_Proxy, reading.proxyServer);
}

void ComputerInfoPresenter::Button_WriteValuesClick(const std::string& station,
                                                    const std::string& owner,
                                                    const std::string& organization) {
    if (WarnMissing(MissingToWriteValues(station, owner, organization)))
        return;
    // One station for both writes: its HKEY_LOCAL_MACHINE is connected once.
    StationValues values(station, api_);
    WriteIdentity(values, [&] { return values.WriteStationOwner(owner); });
    WriteIdentity(values, [&] { return values.WriteStationOrganization(organization); });
}

void ComputerInfoPresenter::Button_SetHomePageClick(const std::string& station, const std::string& homePage) {
    StationValues values(station, api_);
    Report(values.WriteStationHomePage(homePage));
}

void ComputerInfoPresenter::Button_SetProxyClick(const std::string& station, const std::string& proxyServer) {
    StationValues values(station, api_);
    Report(values.WriteStationProxyServer(proxyServer));
    Report(values.WriteStationProxyEnable(proxyEnableChoice_));
}

void ComputerInfoPresenter::LE_ComputerChange(const std::string& station) {
    view_.EnableButton(StationButton::Button_GetValues, !station.empty());
}

void ComputerInfoPresenter::LE_OwnersNameChange(const std::string& owner, const std::string& organization) {
    view_.EnableButton(StationButton::Button_WriteValues, !owner.empty() && !organization.empty());
}

void ComputerInfoPresenter::LE_OrganizationChange(const std::string& owner, const std::string& organization) {
    LE_OwnersNameChange(owner, organization);
}

void ComputerInfoPresenter::LE_HomePageChange(const std::string& homePage) {
    view_.EnableButton(StationButton::Button_SetHomePage, !homePage.empty());
}

void ComputerInfoPresenter::LE_ProxyChange(const std::string& proxyServer) {
    view_.EnableButton(StationButton::Button_SetProxy, !proxyServer.empty());
}

bool ComputerInfoPresenter::WarnMissing(const std::vector<MissingInput>& missing) {
    for (const MissingInput& input : missing) {
        notifier_.PlayWarningSound();
        notifier_.ShowMessageBox(input.text, MessageKind::Error);
        view_.FocusField(FieldOf(input.input));
    }
    return !missing.empty();
}

void ComputerInfoPresenter::WriteIdentity(StationValues& values, const std::function<Outcome()>& write) {
    const Outcome reached = values.ReachIdentity();
    if (!reached.IsDone()) {
        notifier_.PlayWarningSound();
        Report(reached);
        return;
    }
    // The cue announces the write, so it sounds before the station is written.
    notifier_.PlayNotifySound();
    Report(write());
}

void ComputerInfoPresenter::Report(const Outcome& outcome) {
    if (!outcome.Text().empty())
        notifier_.ShowMessageBox(outcome.Text(), KindOf(outcome));
}
