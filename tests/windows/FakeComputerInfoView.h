// A ComputerInfoView that keeps the window's state in plain fields, logs every change in order, and
// runs the field change handlers as the real window does.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ComputerInfoPresenter.h"
#include "ComputerInfoView.h"

class FakeComputerInfoView : public ComputerInfoView {
public:
    std::map<StationField, std::string> fields;
    std::vector<StationField> focus;
    std::optional<ProxyRadio> radio;
    std::map<SwitchBox, bool> marks;
    std::map<SwitchBox, std::pair<COLORREF, COLORREF>> colors;
    // As designed: the Get and Write buttons start enabled, the Set buttons disabled.
    std::map<StationButton, bool> enabled{{StationButton::Button_GetValues, true},
                                          {StationButton::Button_WriteValues, true},
                                          {StationButton::Button_SetHomePage, false},
                                          {StationButton::Button_SetProxy, false}};
    // "LE_Name=text", "mark N=0|1", "colors N", "radio enabled|disabled", "close" (N: SwitchBox number).
    std::vector<std::string> log;
    ComputerInfoPresenter* presenter = nullptr;  // whose change handlers a text change runs
    std::function<void()> onClose;               // what the window's FormClose would run

    void SetFieldText(StationField field, const std::string& text) override {
        fields[field] = text;
        static const char* const kNames[] = {"LE_Computer", "LE_OwnersName", "LE_Organization", "LE_HomePage",
                                             "LE_Proxy"};
        log.push_back(kNames[static_cast<int>(field)] + ("=" + text));
        if (presenter)
            RunChangeHandler(field);
    }
    void FocusField(StationField field) override { focus.push_back(field); }
    void MarkProxyRadio(ProxyRadio marked) override {
        radio = marked;
        log.push_back(marked == ProxyRadio::RB_ProxyEnabled ? "radio enabled" : "radio disabled");
    }
    bool SwitchMark(SwitchBox box) const override {
        auto found = marks.find(box);
        return found != marks.end() && found->second;
    }
    void SetSwitchMark(SwitchBox box, bool checked) override {
        marks[box] = checked;
        log.push_back("mark " + std::to_string(static_cast<int>(box)) + "=" + (checked ? "1" : "0"));
    }
    void SetSwitchColors(SwitchBox box, COLORREF background, COLORREF text) override {
        colors[box] = {background, text};
        log.push_back("colors " + std::to_string(static_cast<int>(box)));
    }
    void EnableButton(StationButton button, bool on) override { enabled[button] = on; }
    void CloseForm() override {
        log.push_back("close");
        if (onClose)
            onClose();
    }

private:
    void RunChangeHandler(StationField field) {
        const std::string& owner = fields[StationField::LE_OwnersName];
        const std::string& organization = fields[StationField::LE_Organization];
        switch (field) {
            case StationField::LE_Computer:
                presenter->LE_ComputerChange(fields[field]);
                break;
            case StationField::LE_OwnersName:
                presenter->LE_OwnersNameChange(owner, organization);
                break;
            case StationField::LE_Organization:
                presenter->LE_OrganizationChange(owner, organization);
                break;
            case StationField::LE_HomePage:
                presenter->LE_HomePageChange(fields[field]);
                break;
            case StationField::LE_Proxy:
                presenter->LE_ProxyChange(fields[field]);
                break;
        }
    }
};
