// Reading, writing and showing the local switches; a box never keeps a mark that was not stored.
#include "RestrictionSwitches.h"

#include <utility>
#include <vector>

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

RestrictionSwitches::RestrictionSwitches(StationView& view,
                                         Notifier& notifier,
                                         const RegistryApi& api,
                                         const DesktopApi& desktop)
    : view_(view), notifier_(notifier), api_(api), desktop_(desktop) {}

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

bool RestrictionSwitches::WriteSwitch(const SwitchSpec& spec, bool checked) {
    switch (spec.effect) {
        case SwitchEffect::RegistryNumbers:
            return WriteNumbers(api_, spec.root, spec.keyPath, spec.values,
                                checked ? spec.checkedNumber : spec.uncheckedNumber);
        case SwitchEffect::DesktopIcons:
            ShowDesktopIcons(checked);
            return true;
        case SwitchEffect::None:
            break;
    }
    return true;  // nothing to store
}

void RestrictionSwitches::ShowDesktopIcons(bool checked) {
    // The icons are the first child of the shell's desktop window; where there is none, the calls
    // fail harmlessly on a null window.
    HWND desktop = desktop_.findWindow("ProgMan", nullptr);
    HWND icons = desktop_.getWindow(desktop, GW_CHILD);
    desktop_.showWindow(icons, checked ? SW_SHOW : SW_HIDE);
}

void RestrictionSwitches::PaintSwitch(SwitchBox box, bool checked) {
    if (checked)
        view_.SetSwitchColors(box, kSwitchCheckedBackground, kSwitchCheckedText);
    else
        view_.SetSwitchColors(box, kSwitchUncheckedBackground, kSwitchUncheckedText);
}

void RestrictionSwitches::ApplySwitch(const SwitchSpec& spec, bool checked, bool previous) {
    bool stored = false;
    try {
        stored = WriteSwitch(spec, checked);
    } catch (...) {
        view_.SetSwitchMark(spec.box, previous);
        PaintSwitch(spec.box, previous);
        throw;
    }
    if (stored) {
        PaintSwitch(spec.box, checked);
        return;
    }
    view_.SetSwitchMark(spec.box, previous);
    PaintSwitch(spec.box, previous);
    notifier_.ShowMessageBox(SwitchFailureMessage(spec), MessageKind::Error);
}

void RestrictionSwitches::SetAllSwitches(bool checked) {
    // The table's order is the Check All order: the System column with the invisible boxes after
    // it, then the Error Messages column. Boxes already at the mark are written all the same.
    for (const SwitchSpec& spec : SwitchTable()) {
        const bool previous = view_.SwitchMark(spec.box);
        view_.SetSwitchMark(spec.box, checked);
        if (spec.effect != SwitchEffect::None)
            ApplySwitch(spec, checked, previous);
    }
}

void RestrictionSwitches::LoadSwitchMarks() {
    // Every value is read before any box changes, so a failed read leaves all marks as they were.
    std::vector<std::pair<SwitchBox, bool>> marks;
    for (const SwitchSpec& spec : SwitchTable()) {
        if (spec.readValue.empty())
            continue;
        const bool state = ReadSwitchState(spec.root, spec.keyPath, spec.readValue);
        marks.emplace_back(spec.box, spec.sense == SwitchSense::Direct ? state : !state);
    }
    for (const auto& [box, checked] : marks) {
        PaintSwitch(box, checked);
        view_.SetSwitchMark(box, checked);
    }
}
