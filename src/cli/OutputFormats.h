// The rows of list as text: an aligned table, RFC 4180 CSV or a JSON array; UTF-8, CR LF line ends.
#pragma once

#include <string>
#include <vector>

#include "CliCommand.h"

// One printed row, every field in UTF-8.
struct ListedRow {
    std::string station;
    std::string location;
    std::string name;
    std::string command;
    std::string status;
};

std::string FormatRows(const std::vector<ListedRow>& rows, OutputFormat format);

// A JSON string literal; control characters escaped, other characters as they are.
std::string JsonString(const std::string& text);
