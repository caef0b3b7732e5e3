// A saved list's rows, their texts kept in large blocks.
#pragma once

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
