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

// A row of a view or user this run does not list is no entry removed. A baseline has few stations and
// locations, many rows of each.
bool BaselineComparison::InScope(const Cells& row) {
    if (!lastStation_ || lastStation_->first != row[0]) {
        const std::string key = StationKey(row[0], computerName_);
        lastStation_.emplace(row[0], std::find(stations_.begin(), stations_.end(), key) != stations_.end());
    }
    if (!lastStation_->second)
        return false;
    if (!command_.location && !command_.user)
        return true;
    const auto [at, added] = locations_.try_emplace(row[1], false);
    if (added)
        at->second = LocationInScope(row[1]);
    return at->second;
}

bool BaselineComparison::LocationInScope(const std::string& utf8) const {
    const std::string location = Utf8ToAnsi(utf8);
    const std::string canonical = CanonicalLocation(location).value_or(location);
    if (command_.location && ViewOfLocation(canonical) != *command_.location)
        return false;
    const std::string user = UserPartOf(canonical);
    return !command_.user || (!user.empty() && EqualsIgnoringCase(user, *command_.user));
}

BaselineComparison::Result BaselineComparison::Of(std::vector<ListedRow> rows,
                                                  const std::vector<ListedFile>* files,
                                                  const std::vector<std::string>& answered) const {
    std::vector<Cells> listed;
    std::vector<bool> unread;
    listed.reserve(rows.size());
    for (size_t r = 0; r < rows.size(); ++r) {
        const ListedFile* file = files ? &(*files)[r] : nullptr;
        listed.push_back(ListedCells(std::move(rows[r]), file, command_.hash));
        unread.push_back(file && file->unreadable);
    }
    Differences differences = Compare(baseline_, ListedFieldNames(command_.details, command_.hash), listed,
                                      unread, answered, computerName_);
    std::erase_if(differences.rows, [&](const Difference& difference) {
        return ignore_.Matches(difference.now[1], difference.now[2]);
    });
    return {FormatDifferences(differences, command_.format), !differences.rows.empty()};
}
