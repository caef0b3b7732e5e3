// The rows of list as text: an aligned table, RFC 4180 CSV or a JSON array; UTF-8, CR LF line ends.
#pragma once

#include <cstdint>
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

// One printed row as its fields' texts, in the order of ListedFieldNames.
using Cells = std::vector<std::string>;

// The fields of list: the five, with details the file's seven ("exists" at kExistsField), with hash "sha256".
Cells ListedFieldNames(bool details, bool hash);
inline constexpr size_t kExistsField = 6;
// The texts of one row's fields, moved out of row; file: with details, the row's program file.
Cells ListedCells(ListedRow row, const ListedFile* file, bool hash);

// files: none, or one per row, after whose five fields they are printed; hash adds the sha256 field.
std::string FormatRows(const std::vector<ListedRow>& rows,
                       OutputFormat format,
                       const std::vector<ListedFile>* files = nullptr,
                       bool hash = false);

// A JSON string literal; control characters escaped, other characters as they are.
std::string JsonString(const std::string& text);

// One RFC 4180 field appended to text: quoted, its quotes doubled, when it holds a comma, quote or line
// break.
void AppendCsvField(std::string& text, const std::string& field);

// Lines of cells in columns two spaces apart, the first line the header. A column is as wide as its widest
// cell, up to widest columns of the console: a longer cell pushes the rest of its own line only.
std::string AlignedTable(const std::vector<Cells>& lines, size_t widest = SIZE_MAX);
