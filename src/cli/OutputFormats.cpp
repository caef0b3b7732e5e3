// Table, CSV and JSON writers for the rows of list.
#include "OutputFormats.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

#include "TextCodec.h"

namespace {

constexpr const char* kLineEnd = "\r\n";
constexpr std::array<const char*, 5> kFieldNames{"station", "location", "name", "command", "status"};

std::array<const std::string*, 5> FieldsOf(const ListedRow& row) {
    return {&row.station, &row.location, &row.name, &row.command, &row.status};
}

std::string Table(const std::vector<ListedRow>& rows) {
    const ListedRow header{"STATION", "LOCATION", "NAME", "COMMAND", "STATUS"};
    std::array<size_t, 5> widths{};
    auto measure = [&](const ListedRow& row) {
        const auto fields = FieldsOf(row);
        for (size_t i = 0; i < fields.size(); ++i)
            widths[i] = std::max(widths[i], DisplayWidth(*fields[i]));
    };
    measure(header);
    std::for_each(rows.begin(), rows.end(), measure);
    std::string text;
    auto line = [&](const ListedRow& row) {
        const auto fields = FieldsOf(row);
        for (size_t i = 0; i + 1 < fields.size(); ++i)
            (text += *fields[i]).append(widths[i] - DisplayWidth(*fields[i]) + 2, ' ');
        (text += *fields.back()) += kLineEnd;
    };
    line(header);
    std::for_each(rows.begin(), rows.end(), line);
    return text;
}

std::string Csv(const std::vector<ListedRow>& rows) {
    std::string text = "station,location,name,command,status";
    text += kLineEnd;
    size_t size = text.size();
    for (const ListedRow& row : rows)
        for (const std::string* field : FieldsOf(row))
            size += field->size() + 3;
    text.reserve(size + size / 8);
    for (const ListedRow& row : rows) {
        const auto fields = FieldsOf(row);
        for (size_t i = 0; i < fields.size(); ++i) {
            AppendCsvField(text, *fields[i]);
            text += i + 1 < fields.size() ? "," : kLineEnd;
        }
    }
    return text;
}

std::string Json(const std::vector<ListedRow>& rows) {
    std::string text = "[";
    for (size_t r = 0; r < rows.size(); ++r) {
        text += r == 0 ? "\r\n  {" : ",\r\n  {";
        const auto fields = FieldsOf(rows[r]);
        for (size_t i = 0; i < fields.size(); ++i)
            ((text += i == 0 ? "\"" : ", \"") += kFieldNames[i]) += "\": " + JsonString(*fields[i]);
        text += "}";
    }
    text += rows.empty() ? "]" : "\r\n]";
    return text + kLineEnd;
}

constexpr std::array<const char*, 8> kFileFieldNames{"file",    "exists",    "description", "publisher",
                                                     "version", "signature", "signer",      "sha256"};

std::string DetailedCsv(const std::vector<Cells>& rows, bool hash) {
    std::string text;
    auto line = [&](const Cells& cells) {
        for (size_t i = 0; i < cells.size(); ++i) {
            AppendCsvField(text, cells[i]);
            text += i + 1 < cells.size() ? "," : kLineEnd;
        }
    };
    line(ListedFieldNames(true, hash));
    std::for_each(rows.begin(), rows.end(), line);
    return text;
}

std::string DetailedJson(const std::vector<Cells>& rows, bool hash) {
    const Cells names = ListedFieldNames(true, hash);
    std::string text = "[";
    for (size_t r = 0; r < rows.size(); ++r) {
        text += r == 0 ? "\r\n  {" : ",\r\n  {";
        for (size_t i = 0; i < names.size(); ++i)
            ((text += i == 0 ? "\"" : ", \"") += names[i]) +=
                "\": " + (i == kExistsField ? rows[r][i] : JsonString(rows[r][i]));
        text += "}";
    }
    text += rows.empty() ? "]" : "\r\n]";
    return text + kLineEnd;
}

// The table keeps to what fits a screen: the five fields, the file, its publisher, version and
// signature ("file not found" for a file that is not there, "not read" for one out of reach), and the
// hash when asked for.
std::string DetailedTable(const std::vector<ListedRow>& rows,
                          const std::vector<ListedFile>& files,
                          bool hash) {
    std::vector<Cells> lines{
        {"STATION", "LOCATION", "NAME", "COMMAND", "STATUS", "FILE", "PUBLISHER", "VERSION", "SIGNATURE"}};
    if (hash)
        lines.front().push_back("SHA256");
    for (size_t r = 0; r < rows.size(); ++r) {
        const ListedRow& row = rows[r];
        const ListedFile& file = files[r];
        const char* absent = file.unreadable ? "not read" : file.file.empty() ? "" : "file not found";
        lines.push_back({row.station, row.location, row.name, row.command, row.status, file.file,
                         file.publisher, file.version, file.exists ? file.signature : absent});
        if (hash)
            lines.back().push_back(file.sha256);
    }
    return AlignedTable(lines);
}

std::string DetailedRows(const std::vector<ListedRow>& rows,
                         const std::vector<ListedFile>& files,
                         OutputFormat format,
                         bool hash) {
    if (format == OutputFormat::Table)
        return DetailedTable(rows, files, hash);
    std::vector<Cells> cells;
    cells.reserve(rows.size());
    for (size_t r = 0; r < rows.size(); ++r)
        cells.push_back(ListedCells(rows[r], &files[r], hash));
    return format == OutputFormat::Csv ? DetailedCsv(cells, hash) : DetailedJson(cells, hash);
}

}  // namespace

// Appends in place: a list of ten thousand rows is written without a temporary per field.
void AppendCsvField(std::string& text, const std::string& field) {
    if (field.find_first_of(",\"\r\n") == std::string::npos) {
        text += field;
        return;
    }
    text += '"';
    for (size_t from = 0;;) {
        const size_t quote = field.find('"', from);
        text.append(field, from, quote == std::string::npos ? std::string::npos : quote + 1 - from);
        if (quote == std::string::npos)
            break;
        text += '"';
        from = quote + 1;
    }
    text += '"';
}

Cells ListedFieldNames(bool details, bool hash) {
    Cells names(kFieldNames.begin(), kFieldNames.end());
    if (details)
        names.insert(names.end(), kFileFieldNames.begin(), kFileFieldNames.end() - (hash ? 0 : 1));
    return names;
}

Cells ListedCells(ListedRow row, const ListedFile* file, bool hash) {
    Cells cells;
    cells.reserve(file ? 13 : 5);
    for (std::string* field : {&row.station, &row.location, &row.name, &row.command, &row.status})
        cells.push_back(std::move(*field));
    if (!file)
        return cells;
    cells.insert(cells.end(), {file->file, file->exists ? "true" : "false", file->description,
                               file->publisher, file->version, file->signature, file->signer});
    if (hash)
        cells.push_back(file->sha256);
    return cells;
}

std::string AlignedTable(const std::vector<Cells>& lines, size_t widest) {
    std::vector<size_t> widths(lines.front().size());
    for (const Cells& cells : lines)
        for (size_t i = 0; i < cells.size(); ++i)
            widths[i] = std::max(widths[i], std::min(widest, DisplayWidth(cells[i])));
    std::string text;
    for (const Cells& cells : lines) {
        for (size_t i = 0; i + 1 < cells.size(); ++i)
            (text += cells[i])
                .append(std::max(widths[i], DisplayWidth(cells[i])) - DisplayWidth(cells[i]) + 2, ' ');
        (text += cells.back()) += kLineEnd;
    }
    return text;
}

std::string JsonString(const std::string& text) {
    std::string literal = "\"";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            (literal += '\\') += c;
        } else if (byte < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            literal += escape;
        } else {
            literal += c;
        }
    }
    return literal + "\"";
}

std::string FormatRows(const std::vector<ListedRow>& rows,
                       OutputFormat format,
                       const std::vector<ListedFile>* files,
                       bool hash) {
    if (files)
        return DetailedRows(rows, *files, format, hash);
    switch (format) {
        case OutputFormat::Csv:
            return Csv(rows);
        case OutputFormat::Json:
            return Json(rows);
        default:
            return Table(rows);
    }
}
