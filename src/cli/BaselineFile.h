// A saved list read back: a file that list --format json or csv wrote, with or without --details and --hash.
#pragma once

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "Baseline.h"
#include "OutputFormats.h"

// JSON or CSV, told apart by the content. Every row is checked; only those keep says true of are kept.
// Raises BadFileError, naming the file and the line (and column) where it stops being such a file: a line
// over 1 MiB, a file over 1 GiB, nesting deeper than a list file's, a field list has not, a cut file.
Baseline ReadBaseline(const std::string& path, const std::function<bool(const Cells&)>& keep);
