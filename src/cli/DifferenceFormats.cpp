// Table, CSV and JSON writers for the differences of compare, over list's own field writers.
#include "DifferenceFormats.h"

#include "OutputFormats.h"

namespace {

constexpr const char* kLineEnd = "\r\n";
// Station, location and name columns of the table stay within this, so that most lines fit 120 columns.
constexpr size_t kTableColumn = 24;

const char* KindName(ChangeKind kind) {
    return kind == ChangeKind::Added ? "added" : kind == ChangeKind::Removed ? "removed" : "changed";
}

// The value a line prints for field i: empty where it is not known.
std::string NowValue(const Difference& difference, size_t i) {
    return i < difference.known ? difference.now[i] : std::string();
}

std::string WasValue(const Difference& difference, size_t i) {
    if (difference.kind != ChangeKind::Changed)
        return {};
    return difference.changed[i] ? difference.was[i] : difference.now[i];
}

std::string Csv(const Differences& differences) {
    Cells header{"change"};
    for (size_t i = 0; i < differences.fields.size(); ++i) {
        header.push_back(differences.fields[i]);
        if (differences.compared[i])
            header.push_back("was_" + differences.fields[i]);
    }
    std::string text;
    auto line = [&](const Cells& cells) {
        for (size_t i = 0; i < cells.size(); ++i) {
            AppendCsvField(text, cells[i]);
            text += i + 1 < cells.size() ? "," : kLineEnd;
        }
    };
    line(header);
    for (const Difference& difference : differences.rows) {
        Cells cells{KindName(difference.kind)};
        for (size_t i = 0; i < differences.fields.size(); ++i) {
            cells.push_back(NowValue(difference, i));
            if (differences.compared[i])
                cells.push_back(WasValue(difference, i));
        }
        line(cells);
    }
    return text;
}

std::string JsonValue(const Difference& difference, size_t i) {
    if (i >= difference.known)
        return "null";
    return i == kExistsField ? difference.now[i] : JsonString(difference.now[i]);
}

std::string Json(const Differences& differences) {
    std::string text = "[";
    for (size_t r = 0; r < differences.rows.size(); ++r) {
        const Difference& difference = differences.rows[r];
        text += r == 0 ? "\r\n  {" : ",\r\n  {";
        text += "\"change\": " + JsonString(KindName(difference.kind));
        for (size_t i = 0; i < differences.fields.size(); ++i) {
            ((text += ", \"") += differences.fields[i]) += "\": " + JsonValue(difference, i);
            if (difference.changed[i])
                ((text += ", \"was_") += differences.fields[i]) += "\": " + JsonString(difference.was[i]);
        }
        text += "}";
    }
    text += differences.rows.empty() ? "]" : "\r\n]";
    return text + kLineEnd;
}

std::string Shown(const std::string& value) {
    return value.empty() ? "\"\"" : value;
}

// "command: OLD -> NEW; status: OLD -> NEW" of a changed entry, "command: X; status: Y" of another.
std::string WhatOf(const Differences& differences, const Difference& difference) {
    std::string what;
    for (size_t i = 3; i < differences.fields.size(); ++i) {
        const bool shown = difference.kind == ChangeKind::Changed ? difference.changed[i] : i <= 4;
        if (!shown)
            continue;
        ((what += what.empty() ? "" : "; ") += differences.fields[i]) += ": ";
        if (difference.kind == ChangeKind::Changed)
            (what += Shown(difference.was[i])) += " -> ";
        what += Shown(difference.now[i]);
    }
    return what;
}

std::string Table(const Differences& differences) {
    std::vector<Cells> lines{{"CHANGE", "STATION", "LOCATION", "NAME", "WHAT"}};
    for (const Difference& difference : differences.rows)
        lines.push_back({KindName(difference.kind), difference.now[0], difference.now[1], difference.now[2],
                         WhatOf(differences, difference)});
    return AlignedTable(lines, kTableColumn);
}

}  // namespace

std::string FormatDifferences(const Differences& differences, OutputFormat format) {
    switch (format) {
        case OutputFormat::Csv:
            return Csv(differences);
        case OutputFormat::Json:
            return Json(differences);
        default:
            return Table(differences);
    }
}
