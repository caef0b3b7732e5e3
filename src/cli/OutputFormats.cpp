// Table, CSV and JSON writers for the rows of list.
#include "cli/OutputFormats.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "cli/TextCodec.h"

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
    for (const ListedRow& row : rows) {
        const auto fields = FieldsOf(row);
        for (size_t i = 0; i < fields.size(); ++i)
            (text += CsvField(*fields[i])) += i + 1 < fields.size() ? "," : kLineEnd;
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

}  // namespace

std::string CsvField(const std::string& field) {
    if (field.find_first_of(",\"\r\n") == std::string::npos)
        return field;
    std::string quoted = "\"";
    for (char c : field) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
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

std::string FormatRows(const std::vector<ListedRow>& rows, OutputFormat format) {
    switch (format) {
        case OutputFormat::Csv:
            return Csv(rows);
        case OutputFormat::Json:
            return Json(rows);
        default:
            return Table(rows);
    }
}
