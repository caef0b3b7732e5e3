// ComputerInfoWindow: the Computer Information window, its controls under ComputerInfoPresenter.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "ComputerInfoPresenter.h"
#include "ComputerInfoView.h"
#include "GdiObjects.h"
#include "WindowBase.h"

class ComputerInfoWindow : public WindowBase, public ComputerInfoView {
public:
    struct Links {
        HWND mainWindow = nullptr;
        Notifier* notifier = nullptr;                       // the main window's boxes and cues
        std::function<std::string()> getLocalComputerName;  // asked at every showing
        std::function<void()> showAboutBox;
    };
    explicit ComputerInfoWindow(Links links,
                                const RegistryApi& api = RealRegistryApi(),
                                const DesktopApi& desktop = RealDesktopApi());

    // Fills the window from the local computer and shows it modally until it is closed or hidden.
    void ShowModal();
    ComputerInfoPresenter& Presenter() { return presenter_; }
    static int IdOf(SwitchBox box);
    static int IdOf(StationField field);

    // ComputerInfoView
    void SetFieldText(StationField field, const std::string& text) override;
    void FocusField(StationField field) override;
    void MarkProxyRadio(ProxyRadio marked) override;
    bool SwitchMark(SwitchBox box) const override;
    void SetSwitchMark(SwitchBox box, bool checked) override;
    void SetSwitchColors(SwitchBox box, COLORREF background, COLORREF text) override;
    void EnableButton(StationButton button, bool enabled) override;
    void CloseForm() override;

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void CreateControls();
    void CreateIdentityBand(HWND tooltip);
    void CreateBrowserBand(HWND tooltip);
    void CreateSwitchBand(HWND tooltip);
    void OnCommand(int id, int code, HWND control);
    void OnFieldChange(int id);

    Links links_;
    ComputerInfoPresenter presenter_;
    UniqueGdiObject background_;
    UniqueGdiObject white_;
};
