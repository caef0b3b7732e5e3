// Table, CSV and JSON writers for the rows of list.
#include "OutputFormats.h"

#include <algorithm>
#include <array>
#include <cstdio>

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

}  // namespace

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
