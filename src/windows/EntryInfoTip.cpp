// Info tips of the startup list's rows.
#include "EntryInfoTip.h"

#include <commctrl.h>

#include <string>

#include "EntryListView.h"
#include "ProgramFacts.h"
#include "LocationKeys.h"
#include "StartupMessages.h"

namespace {

// What a row's tip says of why it does not start, or why it cannot be changed here; empty else.
std::string NoteOf(const StartupEntry& row) {
    const ChangedBy changedBy = ChangedByOf(row.location);
    if (row.hold == EntryHold::LoggedOff)
        return LoggedOffTip(UserPartOf(row.location));
    if (row.hold == EntryHold::Policy || changedBy == ChangedBy::GroupPolicy)
        return kSetByPolicyTip;
    if (changedBy == ChangedBy::RegistryEditor)
        return kNotTheWindowsDefaultTip;
    if (row.state != EntryState::SwitchedOff)
        return {};
    const StartupSource* source = SourceOfLocation(row.location);
    return source != nullptr && source->kind == SourceKindId::LogonTasks ? kSwitchedOffInTaskSchedulerTip
                                                                         : kSwitchedOffByWindows;
}

// "File not found: " and the path, or the description, publisher, version and signature that are known.
std::string FileLines(const StartupEntry& row, const Station& station) {
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

bool FillEntryInfoTip(const EntryListView& list, NMHDR& header, const Station& station) {
    if (header.hwndFrom != list.Handle() || header.code != LVN_GETINFOTIPA)
        return false;
    auto& tip = reinterpret_cast<NMLVGETINFOTIPA&>(header);
    if (tip.pszText == nullptr || tip.cchTextMax <= 0 || tip.iItem < 0 || tip.iItem >= list.RowCount())
        return true;
    const StartupEntry row = list.Row(tip.iItem);
    // The list may have put the row's full caption in already; the notes go after it.
    std::string text = tip.pszText;
    if (const std::string note = NoteOf(row); !note.empty())
        (text += text.empty() ? "" : "\r\n") += note;
    text += FileLines(row, station);
    if (text.starts_with("\r\n"))
        text.erase(0, 2);
    lstrcpynA(tip.pszText, text.c_str(), tip.cchTextMax);
    return true;
}
