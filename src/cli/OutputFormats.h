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

// With --details, the program file of one row and what it says of itself, every text in UTF-8.
struct ListedFile {
    std::string file;
    bool exists = false;
    std::string description;
    std::string publisher;
    std::string version;
    std::string signature;
    std::string signer;
    std::string sha256;
    bool unreadable = false;  // not printed as a field: the table says so instead of "file not found"
};

// files: none, or one per row, after whose five fields they are printed; hash adds the sha256 field.
std::string FormatRows(const std::vector<ListedRow>& rows,
                       OutputFormat format,
                       const std::vector<ListedFile>* files = nullptr,
                       bool hash = false);

// A JSON string literal; control characters escaped, other characters as they are.
std::string JsonString(const std::string& text);
