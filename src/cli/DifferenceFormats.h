// The differences of compare as text: a table, CSV or JSON in list's encodings and conventions.
#pragma once

#include <string>

#include "CliCommand.h"
#include "Comparison.h"

// Fields: change (added, removed or changed), then list's, each compared one followed by was_ and its
// name. CSV has every column on every line: on a changed line was_X is the baseline's value where X
// changed and X itself where it did not, empty on the others. A JSON object has was_X only beside a
// field that changed, and null for a field the baseline does not have. The table gives one line to a
// difference: what changed from what to what, or an added or removed entry's command and status.
std::string FormatDifferences(const Differences& differences, OutputFormat format);
