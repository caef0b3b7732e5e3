// What changed between a baseline and the rows listed now: the entries added, removed and changed.
#pragma once

#include <string>
#include <vector>

#include "BaselineFile.h"

enum class ChangeKind { Added, Removed, Changed };

struct Difference {
    ChangeKind kind = ChangeKind::Added;
    Cells now;                  // the entry as listed now; for one removed, as the baseline has it
    Cells was;                  // changed: the baseline's cells, in the same fields as now
    std::vector<bool> changed;  // per field: the field of a changed entry whose value is another now
    size_t known = 0;  // now's leading fields that are known: of a removed row, those the baseline has
};

struct Differences {
    Cells fields;                // those of list, as this run prints them
    std::vector<bool> compared;  // per field: a field both sides have whose change makes an entry changed
    std::vector<Difference> rows;
};

// The identity of a station, as the run and the baseline name it: "." is this computer, any letter case.
std::string StationKey(std::string_view station, const std::string& computerName);

// listed: the rows of this run in fields; unread: per listed row, its file's facts could not be read, so
// they are not compared. stations: the stations whose listing is whole, in the run's order; rows of other
// stations, on either side, are not compared. An entry is the same entry when its station, location (any
// letter case) and name (as the registry and file system compare it) are. Station, location and name
// texts are UTF-8.
Differences Compare(const Baseline& baseline,
                    const Cells& fields,
                    const std::vector<Cells>& listed,
                    const std::vector<bool>& unread,
                    const std::vector<std::string>& stations,
                    const std::string& computerName);
