// What the JSON and the CSV reader of a baseline share: the rows checked as list writes them, then kept.
#pragma once

#include <functional>
#include <string_view>

#include "Baseline.h"
#include "FileLines.h"

// Collects the rows of one baseline file: its fields first, then each row in them.
class BaselineBuilder {
public:
    BaselineBuilder(const FileLines& lines, const std::function<bool(const Cells&)>& keep)
        : lines_(lines), keep_(keep) {}

    // count: 5, 12 (with --details) or 13 (with --hash) of ListedFieldNames(true, true).
    void SetFieldCount(size_t count);
    size_t FieldCount() const { return baseline_.Fields().size(); }
    // Raises BadFileError for a value list never writes there.
    void Add(const Cells& cells);
    Baseline Take() { return std::move(baseline_); }

private:
    const FileLines& lines_;
    const std::function<bool(const Cells&)>& keep_;
    Baseline baseline_;
};

// Each reads on from the first line, which FileLines gave already.
void ReadJsonBaseline(FileLines& lines, std::string_view first, BaselineBuilder& rows);
void ReadCsvBaseline(FileLines& lines, std::string_view first, BaselineBuilder& rows);
