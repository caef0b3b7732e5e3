// compare over list: the same rows and fields, checked against a saved list, only the differences printed.
#include "CompareCommand.h"

#include <algorithm>

#include "Comparison.h"
#include "DifferenceFormats.h"
#include "LocationKeys.h"
#include "LocationViews.h"
#include "TextCodec.h"

BaselineComparison::BaselineComparison(const CliCommand& command,
                                       const std::vector<std::string>& stations,
                                       const std::string& computerName)
    : command_(command), computerName_(computerName) {
    for (const std::string& station : stations)
        stations_.push_back(StationKey(station, computerName));
    if (command.ignore)
        ignore_ = IgnorePatterns::Read(*command.ignore);
    baseline_ = ReadBaseline(command.baseline, [this](const Cells& row) { return InScope(row); });
}

// A row of a view or user this run does not list is no entry removed.
bool BaselineComparison::InScope(const Cells& row) const {
    if (std::find(stations_.begin(), stations_.end(), StationKey(row[0], computerName_)) == stations_.end())
        return false;
    if (!command_.location && !command_.user)
        return true;
    const std::string location = Utf8ToAnsi(row[1]);
    const std::string canonical = CanonicalLocation(location).value_or(location);
    if (command_.location && ViewOfLocation(canonical) != *command_.location)
        return false;
    return !command_.user ||
           (!UserPartOf(canonical).empty() && EqualsIgnoringCase(UserPartOf(canonical), *command_.user));
}

BaselineComparison::Result BaselineComparison::Of(const std::vector<ListedRow>& rows,
                                                  const std::vector<ListedFile>* files,
                                                  const std::vector<std::string>& answered) const {
    std::vector<Cells> listed;
    std::vector<bool> unread;
    listed.reserve(rows.size());
    for (size_t r = 0; r < rows.size(); ++r) {
        const ListedFile* file = files ? &(*files)[r] : nullptr;
        listed.push_back(ListedCells(rows[r], file, command_.hash));
        unread.push_back(file && file->unreadable);
    }
    Differences differences = Compare(baseline_, ListedFieldNames(command_.details, command_.hash), listed,
                                      unread, answered, computerName_);
    std::erase_if(differences.rows, [&](const Difference& difference) {
        return ignore_.Matches(difference.now[1], difference.now[2]);
    });
    return {FormatDifferences(differences, command_.format), !differences.rows.empty()};
}
