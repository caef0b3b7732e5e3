// A baseline that list --format csv wrote: RFC 4180 records under one of list's headers, CR LF line ends.
#include "BaselineReaders.h"

namespace {

constexpr size_t kRecordLimit = size_t{1} << 20;

class CsvReader {
public:
    CsvReader(FileLines& lines, std::string_view first, BaselineBuilder& rows)
        : lines_(lines), line_(first), rows_(rows) {}

    void Read() {
        Cells cells;
        ReadRecord(cells);
        ReadHeader(cells);
        while (NextRecordLine()) {
            ReadRecord(cells);
            if (cells.size() != rows_.FieldCount())
                lines_.Fail(std::to_string(cells.size()) + " fields where the header names " +
                            std::to_string(rows_.FieldCount()));
            rows_.Add(cells);
        }
    }

private:
    void ReadHeader(const Cells& header) {
        for (const bool details : {false, true})
            for (const bool hash : {false, details}) {
                if (header == ListedFieldNames(details, hash)) {
                    rows_.SetFieldCount(header.size());
                    return;
                }
            }
        lines_.Fail(
            "not the header of list --format csv: station,location,name,command,status, then with --details "
            "file,exists,description,publisher,version,signature,signer and with --hash sha256");
    }

    // Blank lines between records are passed over.
    bool NextRecordLine() {
        do {
            if (!lines_.Next(line_))
                return false;
        } while (WithoutLineBreak(line_).empty());
        return true;
    }

    // From line_, taking further lines for a quoted field that holds line breaks. The texts of the record
    // before are overwritten, not allocated again.
    void ReadRecord(Cells& cells) {
        at_ = 0;
        size_t bytes = 0, count = 0;
        for (;;) {
            if (cells.size() == count)
                cells.emplace_back();
            std::string& field = cells[count++];
            field.clear();
            if (at_ < line_.size() && line_[at_] == '"')
                ReadQuoted(field, bytes);
            else
                ReadPlain(field);
            const std::string_view content = WithoutLineBreak(line_);
            if (at_ == content.size())
                break;
            if (line_[at_] != ',')
                lines_.FailAt(line_, at_, "expected a comma after a quoted field");
            ++at_;
        }
        cells.resize(count);
        if (!line_.ends_with('\n'))
            lines_.Fail("the last line has no line break, which list always writes: the file is cut short");
    }

    void ReadPlain(std::string& field) {
        const std::string_view content = WithoutLineBreak(line_);
        const size_t end = std::min(content.find_first_of(",\"", at_), content.size());
        if (end < content.size() && content[end] == '"')
            lines_.FailAt(line_, end, "a quote inside a field that is not quoted");
        field.assign(content.substr(at_, end - at_));
        at_ = end;
    }

    // A doubled quote is one quote; a line break inside the quotes is the field's own.
    void ReadQuoted(std::string& field, size_t& bytes) {
        for (++at_;;) {
            const size_t quote = line_.find('"', at_);
            if (quote == std::string_view::npos) {
                field.append(line_.substr(at_));
                bytes += line_.size();
                if (bytes > kRecordLimit)
                    lines_.Fail("a row longer than 1 MiB, more than a row of a list file holds");
                if (!lines_.Next(line_))
                    lines_.Fail("the file ends inside a quoted field: it is cut short");
                at_ = 0;
                continue;
            }
            field.append(line_.substr(at_, quote - at_));
            at_ = quote + 1;
            if (at_ < line_.size() && line_[at_] == '"') {
                field += '"';
                ++at_;
                continue;
            }
            return;
        }
    }

    FileLines& lines_;
    std::string_view line_;
    size_t at_ = 0;
    BaselineBuilder& rows_;
};

}  // namespace

void ReadCsvBaseline(FileLines& lines, std::string_view first, BaselineBuilder& rows) {
    CsvReader(lines, first, rows).Read();
}
