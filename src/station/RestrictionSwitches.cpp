// Reading and writing the local switches.
#include "RestrictionSwitches.h"

#include "TRegistry.h"

namespace {

// Opens (creating what is missing) with full access and writes one number into every value.
bool WriteNumbers(const RegistryApi& api,
                  HKEY root,
                  const char* keyPath,
                  const std::vector<std::string>& values,
                  int32_t number) {
    TRegistry registry(api);
    registry.SelectRoot(root);
    if (!registry.OpenPath(keyPath, true))
        return false;
    for (const std::string& value : values)
        registry.WriteNumber(value, number);
    return true;
}

}  // namespace

RestrictionSwitches::RestrictionSwitches(const RegistryApi& api, const DesktopApi& desktop)
    : api_(api), desktop_(desktop) {}

bool RestrictionSwitches::ReadSwitchState(HKEY root,
                                          const std::string& keyPath,
                                          const std::string& valueName) const {
    TRegistry registry(api_);
    registry.SelectRoot(root);
    // Full access is asked for this read too, so a key the user may only read counts as not opened.
    if (!registry.OpenPath(keyPath, false) || !registry.HasValue(valueName))
        return false;
    return registry.ReadNumber(valueName) != 1;
}

std::vector<SwitchState> RestrictionSwitches::ReadSwitchStates() const {
    std::vector<SwitchState> states;
    for (const SwitchSpec& spec : SwitchTable()) {
        if (spec.readValue.empty())
            continue;
        const bool state = ReadSwitchState(spec.root, spec.keyPath, spec.readValue);
        states.push_back({spec.id, spec.sense == SwitchSense::Direct ? state : !state});
    }
    return states;
}

Outcome RestrictionSwitches::WriteSwitch(Switch id, bool on) const {
    const SwitchSpec& spec = SwitchSpecOf(id);
    if (spec.effect == SwitchEffect::DesktopIcons) {
        ShowDesktopIcons(on);
        return Outcome::Done();
    }
    if (!WriteNumbers(api_, spec.root, spec.keyPath, spec.values,
                      on ? spec.checkedNumber : spec.uncheckedNumber))
        return Outcome::Failed(SwitchFailureMessage(spec));
    return Outcome::Done();
}

void RestrictionSwitches::ShowDesktopIcons(bool on) const {
    // The icons are the first child of the shell's desktop window; where there is none, the calls
    // fail harmlessly on a null window.
    HWND desktop = desktop_.findWindow("ProgMan", nullptr);
    HWND icons = desktop_.getWindow(desktop, GW_CHILD);
    desktop_.showWindow(icons, on ? SW_SHOW : SW_HIDE);
}
