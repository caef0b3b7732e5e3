// Which kind of file a baseline is, and the checks of a row both kinds share.
#include "BaselineFile.h"

#include <algorithm>

#include "BaselineReaders.h"
#include "StartupEntry.h"

namespace {

bool IsHash(const std::string& text) {
    return text.empty() || (text.size() == 64 && std::all_of(text.begin(), text.end(), [](char c) {
                                return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
                            }));
}

}  // namespace

void BaselineBuilder::SetFieldCount(size_t count) {
    const Cells all = ListedFieldNames(true, true);
    baseline_ = Baseline(Cells(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(count)));
}

void BaselineBuilder::Add(const Cells& cells) {
    const std::string& status = cells[4];
    if (status != kStatusEnabled && status != kStatusDisabled)
        lines_.Fail("status " + QuotedExcerpt(status) + " where list writes Enabled or Disabled");
    if (cells.size() > kExistsField && cells[kExistsField] != "true" && cells[kExistsField] != "false")
        lines_.Fail("exists " + QuotedExcerpt(cells[kExistsField]) + " where list writes true or false");
    if (cells.size() > 12 && !IsHash(cells[12]))
        lines_.Fail("sha256 " + QuotedExcerpt(cells[12]) + " is not 64 hexadecimal digits");
    if (keep_(cells))
        baseline_.Add(cells);
}

Baseline ReadBaseline(const std::string& path, const std::function<bool(const Cells&)>& keep) {
    FileLines lines(path);
    BaselineBuilder rows(lines, keep);
    std::string_view first;
    if (!lines.Next(first))
        lines.FailFile("empty, where list writes at least a header or []");
    const size_t start = first.find_first_not_of(" \t\r\n");
    if (start == std::string_view::npos || first[start] == '[')
        ReadJsonBaseline(lines, first, rows);
    else
        ReadCsvBaseline(lines, first, rows);
    return rows.Take();
}
