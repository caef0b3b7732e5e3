// A saved list read back: a file that list --format json or csv wrote, with or without --details and --hash.
#pragma once

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "OutputFormats.h"

// The texts of one row's fields, held by the baseline they come from.
using FieldViews = std::span<const std::string_view>;

// Its rows' texts are kept in large blocks, not one allocation a field: a baseline may hold a million.
class Baseline {
public:
    Baseline() = default;
    explicit Baseline(Cells fields) : fields_(std::move(fields)) {}

    // The fields of the list that wrote it, as ListedFieldNames gives them.
    const Cells& Fields() const { return fields_; }
    size_t Rows() const { return fields_.empty() ? 0 : views_.size() / fields_.size(); }
    FieldViews Row(size_t row) const {
        return FieldViews(views_).subspan(row * fields_.size(), fields_.size());
    }
    // Keeps a copy of row, one text for each field.
    void Add(const Cells& row);

private:
    std::string_view Keep(const std::string& text);

    Cells fields_;
    std::vector<std::string_view> views_;
    std::vector<std::unique_ptr<char[]>> blocks_;  // never moved: the views point into them
    char* free_ = nullptr;                         // the unused end of the last block
    size_t left_ = 0;
};

// JSON or CSV, told apart by the content. Every row is checked; only those keep says true of are kept.
// Raises BadFileError, naming the file and the line (and column) where it stops being such a file: a line
// over 1 MiB, a file over 1 GiB, nesting deeper than a list file's, a field list has not, a cut file.
Baseline ReadBaseline(const std::string& path, const std::function<bool(const Cells&)>& keep);
