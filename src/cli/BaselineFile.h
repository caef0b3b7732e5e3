// A saved list read back: a file that list --format json or csv wrote, with or without --details and --hash.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "OutputFormats.h"

struct Baseline {
    Cells fields;             // the fields of the list that wrote it, as ListedFieldNames gives them
    std::vector<Cells> rows;  // the rows kept, each in those fields
};

// JSON or CSV, told apart by the content. Every row is checked; only those keep says true of are kept.
// Raises BadFileError, naming the file and the line (and column) where it stops being such a file: a line
// over 1 MiB, a file over 1 GiB, nesting deeper than a list file's, a field list has not, a cut file.
Baseline ReadBaseline(const std::string& path, const std::function<bool(const Cells&)>& keep);
