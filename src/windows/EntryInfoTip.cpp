// Info tips of the startup list's rows.
#include "EntryInfoTip.h"

#include <commctrl.h>

#include <string>

#include "ProgramFacts.h"
#include "LocationKeys.h"
#include "StartupMessages.h"

namespace {

LPARAM RowData(HWND list, int index) {
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    return ListView_GetItem(list, &item) ? item.lParam : 0;
}

std::string LocationOf(HWND list, int index) {
    constexpr int kLocationColumn = 2;
    char location[512] = {};  // a tag, or a user's name and a kind
    ListView_GetItemText(list, index, kLocationColumn, location, sizeof location);
    return location;
}

// What a row's tip says of why it does not start, or why it cannot be changed here; empty else.
std::string NoteOf(HWND list, int index) {
    const std::string location = LocationOf(list, index);
    const ChangedBy changedBy = ChangedByOf(location);
    const EntryHold hold = HoldOfRow(list, index);
    if (hold == EntryHold::LoggedOff)
        return LoggedOffTip(UserPartOf(location));
    if (hold == EntryHold::Policy || changedBy == ChangedBy::GroupPolicy)
        return kSetByPolicyTip;
    if (changedBy == ChangedBy::RegistryEditor)
        return kNotTheWindowsDefaultTip;
    if (!IsSwitchedOffRow(list, index))
        return {};
    const StartupSource* source = SourceOfLocation(location);
    return source != nullptr && source->kind == SourceKindId::LogonTasks ? kSwitchedOffInTaskSchedulerTip
                                                                         : kSwitchedOffByWindows;
}

}  // namespace

bool IsSwitchedOffRow(HWND list, int index) {
    return (RowData(list, index) & kRowSwitchedOff) != 0;
}

LPARAM RowDataOf(EntryHold hold) {
    return hold == EntryHold::Policy ? kRowSetByPolicy : hold == EntryHold::LoggedOff ? kRowLoggedOff : 0;
}

EntryHold HoldOfRow(HWND list, int index) {
    const LPARAM data = RowData(list, index);
    return (data & kRowSetByPolicy) != 0 ? EntryHold::Policy
           : (data & kRowLoggedOff) != 0 ? EntryHold::LoggedOff
                                         : EntryHold::None;
}

void EnableInfoTips(HWND list) {
    ListView_SetExtendedListViewStyleEx(list, LVS_EX_INFOTIP, LVS_EX_INFOTIP);
}

namespace {

std::string ItemText(HWND list, int index, int subItem) {
    char text[1024] = "";
    ListView_GetItemText(list, index, subItem, text, sizeof text);
    return text;
}

// "File not found: " and the path, or the description, publisher, version and signature that are known.
std::string FileLines(HWND list, int index, const Station& station) {
    const StartupEntry row =
        StartupEntry::Enabled(ItemText(list, index, 0), ItemText(list, index, 1), ItemText(list, index, 2));
    const EntryProgram program = ProgramFacts(station, RealRegistryApi(), false).Of(row);
    const FileFacts& facts = program.facts;
    if (!facts.exists)
        return program.file.path.empty() || facts.unreadable ? ""
                                                             : "\r\nFile not found: " + program.file.path;
    std::string lines;
    for (const auto& [label, value] : {std::pair<const char*, const std::string&>{"", facts.description},
                                       {"Publisher: ", facts.publisher},
                                       {"Version: ", facts.version}})
        if (!value.empty())
            ((lines += "\r\n") += label) += value;
    lines += std::string("\r\nSignature: ") + SignatureStateName(facts.signature.state);
    if (!facts.signature.signer.empty())
        lines += " (" + facts.signature.signer + ")";
    return lines;
}

}  // namespace

bool FillEntryInfoTip(HWND list, NMHDR& header, const Station& station) {
    if (header.hwndFrom != list || header.code != LVN_GETINFOTIPA)
        return false;
    auto& tip = reinterpret_cast<NMLVGETINFOTIPA&>(header);
    if (tip.pszText == nullptr || tip.cchTextMax <= 0)
        return true;
    // The list may have put the row's full caption in already; the notes go after it.
    std::string text = tip.pszText;
    if (const std::string note = NoteOf(list, tip.iItem); !note.empty())
        (text += text.empty() ? "" : "\r\n") += note;
    text += FileLines(list, tip.iItem, station);
    if (text.starts_with("\r\n"))
        text.erase(0, 2);
    lstrcpynA(tip.pszText, text.c_str(), tip.cchTextMax);
    return true;
}
