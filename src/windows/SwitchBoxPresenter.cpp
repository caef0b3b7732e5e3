// Switch clicks, Check All and the marks at show: what each box shows and says.
#include "SwitchBoxPresenter.h"

#include <optional>

SwitchBoxPresenter::SwitchBoxPresenter(ComputerInfoView& view,
                                       Notifier& notifier,
                                       const RegistryApi& api,
                                       const DesktopApi& desktop)
    : view_(view), notifier_(notifier), switches_(api, desktop) {}

void SwitchBoxPresenter::SwitchBoxClick(SwitchBox box, bool checked) {
    if (box == SwitchBox::CB_CheckAll)
        return SetAllSwitches(checked);
    // A user's click: the mark before it is the other one.
    if (const std::optional<Switch> stands = SwitchBoxSpecOf(box).stands)
        ApplySwitch(box, *stands, checked, !checked);
}

void SwitchBoxPresenter::SetAllSwitches(bool checked) {
    // The table's order is the Check All order: the System column with the invisible boxes after
    // it, then the Error Messages column.
    for (const SwitchBoxSpec& spec : SwitchBoxTable()) {
        const bool previous = view_.SwitchMark(spec.box);
        view_.SetSwitchMark(spec.box, checked);
        if (spec.stands)
            ApplySwitch(spec.box, *spec.stands, checked, previous);
    }
}

void SwitchBoxPresenter::LoadSwitchMarks() {
    for (const SwitchState& state : switches_.ReadSwitchStates()) {
        const SwitchBox box = BoxOf(state.id);
        PaintSwitch(box, state.on);
        view_.SetSwitchMark(box, state.on);
    }
}

void SwitchBoxPresenter::PaintSwitch(SwitchBox box, bool checked) {
    if (checked)
        view_.SetSwitchColors(box, kSwitchCheckedBackground, kSwitchCheckedText);
    else
        view_.SetSwitchColors(box, kSwitchUncheckedBackground, kSwitchUncheckedText);
}

void SwitchBoxPresenter::ApplySwitch(SwitchBox box, Switch id, bool checked, bool previous) {
    std::optional<Outcome> stored;
    try {
        stored = switches_.WriteSwitch(id, checked);
    } catch (...) {
        PutBack(box, previous);
        throw;
    }
    if (stored->IsDone()) {
        PaintSwitch(box, checked);
        return;
    }
    // A box never keeps a mark that was not stored.
    PutBack(box, previous);
    notifier_.ShowMessageBox(stored->Text(), MessageKind::Error);
}

void SwitchBoxPresenter::PutBack(SwitchBox box, bool previous) {
    view_.SetSwitchMark(box, previous);
    PaintSwitch(box, previous);
}
