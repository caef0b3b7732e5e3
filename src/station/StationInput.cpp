// The input checks of Get Values and Write Values, with their texts.
#include "StationInput.h"

std::vector<MissingInput> MissingToGetValues(const std::string& station) {
    if (!station.empty())
        return {};
    return {{StationInput::Station, "You MUST enter a station name, in order to make a connection !"}};
}

std::vector<MissingInput> MissingToWriteValues(const std::string& station,
                                               const std::string& owner,
                                               const std::string& organization) {
    const struct {
        bool missing;
        MissingInput found;
    } checks[] = {
        {station.empty(), {StationInput::Station, "You MUST enter a name for the station !"}},
        {owner.empty(), {StationInput::Owner, "You MUST enter an OWNER NAME to set on station specified !"}},
        {organization.empty(),
         {StationInput::Organization, "You MUST enter an ORGANIZATION NAME to set on station specified !"}},
    };
    std::vector<MissingInput> missing;
    for (const auto& check : checks)
        if (check.missing)
            missing.push_back(check.found);
    return missing;
}
