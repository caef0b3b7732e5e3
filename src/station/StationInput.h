// What Get Values and Write Values need typed in before they reach a station.
#pragma once

#include <string>
#include <vector>

// The texts the user types for a station operation.
enum class StationInput { Station, Owner, Organization };

// A text found empty, and what the user is told about it.
struct MissingInput {
    StationInput input;
    const char* text;
};

// Get Values needs a station name.
std::vector<MissingInput> MissingToGetValues(const std::string& station);

// Write Values needs all three; each is tested on its own, in the order station, owner, organization.
std::vector<MissingInput> MissingToWriteValues(const std::string& station,
                                               const std::string& owner,
                                               const std::string& organization);
